// The menu command "ファイル読み込み": the open-file dialog, then the
// observation loader.
#pragma once

#include <windows.h>

struct Estimate;
struct FileDialog;
struct WindowState;

// Fills the dialog record once, before the first command can arrive.
void PrepareOpenFileRecord(FileDialog& dialog, const wchar_t* startDirectory, HWND owner);

enum class FileLoadResult {
    Cancelled, // the dialog was closed without a file: nothing changed
    Loaded,    // the rows were filled and estimated
    Failed,    // the file cannot be opened or holds no data row: "file読み込み失敗"
               // was shown, and the rows and labels are unchanged
};

// The dialog, then the chosen file, into the window's rows. With estimate,
// a load keeps there what the estimation it ran found.
FileLoadResult LoadObservationFile(WindowState& state, Estimate* estimate = nullptr);

// The file at path, by its UTF-16 name, as if chosen in the dialog: a file
// given to the program or dropped on its window. A load remembers its
// folder for the save dialog.
FileLoadResult LoadObservationPath(WindowState& state, const wchar_t* path, Estimate* estimate = nullptr);
