// The menu command "観測データを保存...": the save dialog, then the rows
// written as an observation file (observations/ObservationSave.h) that
// takes the chosen file's place only once it is whole.
#pragma once

#include <windows.h>

struct FileDialog;
struct WindowState;

// Fills the dialog record once, before the first command can arrive.
void PrepareSaveFileRecord(FileDialog& dialog, HWND owner);

enum class FileSaveResult {
    Cancelled,     // the dialog was closed without a name: nothing written
    Saved,         // the file holds the rows
    NothingToSave, // no row has a damage of 1 or more: a box said so, no dialog opened
    Failed,        // a box said why, in the system's words; an old file is as it was
};

// The dialog, offering "観測データ.txt" in the folder of the last load or
// save and asking before it replaces a file, then the window's rows into
// the chosen file.
FileSaveResult SaveObservationFile(WindowState& state);
