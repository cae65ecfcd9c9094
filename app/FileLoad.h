// The menu command "ファイル読み込み": the open-file dialog, then the
// observation loader.
#pragma once

#include <windows.h>

class Form;

extern OPENFILENAMEA OpenFileRecord;
extern char FileNameBuffer[MAX_PATH];

// Fills the dialog record once, before the first command can arrive.
void PrepareOpenFileRecord(const char* startDirectory, HWND owner);

// Returns 1 when the chosen file cannot be opened or holds no data row
// (the rows and labels are then unchanged), else 0. With `loaded`, tells
// whether the rows were filled and estimated (not for a cancel or a failure).
int LoadObservationFile(Form& form, bool* loaded = nullptr);
