// The menu command "ファイル読み込み": the open-file dialog, then the
// observation loader.
#pragma once

#include <windows.h>

class Form;
struct Estimate;

// The dialog's path buffer holds the longest path Windows allows, so a
// path past the old 260 characters opens too.
constexpr DWORD FileNameCapacity = 32768;

extern OPENFILENAMEW OpenFileRecord;
extern wchar_t FileNameBuffer[FileNameCapacity];

// Fills the dialog record once, before the first command can arrive.
void PrepareOpenFileRecord(const wchar_t* startDirectory, HWND owner);

enum class FileLoadResult {
    Cancelled, // the dialog was closed without a file: nothing changed
    Loaded,    // the rows were filled and estimated
    Failed,    // the file cannot be opened or holds no data row: "file読み込み失敗"
               // was shown, and the rows and labels are unchanged
};

// The dialog, then the chosen file. With estimate, a load keeps there what
// the estimation it ran found.
FileLoadResult LoadObservationFile(Form& form, Estimate* estimate = nullptr);

// The file at path, by its UTF-16 name, as if chosen in the dialog: a file
// given to the program or dropped on its window. A load remembers its
// folder for the save dialog.
FileLoadResult LoadObservationPath(Form& form, const wchar_t* path, Estimate* estimate = nullptr);
