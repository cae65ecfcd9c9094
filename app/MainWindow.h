// The main window: start-up, and the trace route of the program.
#pragma once

#include <windows.h>

#include <string>

extern HWND MainWindow;
extern std::wstring StartDirectory;

// Registers the class, creates and shows the main window, which accepts
// dropped files, captures the start directory and prepares the dialog
// records. Null when the window cannot be created.
HWND StartMainWindow(HINSTANCE instance, int showCommand);

// A file given to the program or dropped on the window: loaded and marked
// as "ファイル読み込み" does, with the same box on failure; dropped while
// a dialog or box of the window is open. Returns 1 when the load failed.
LRESULT LoadGivenFile(const wchar_t* path);

// The first file named on the command line (a file dropped on the
// program's icon, "プログラムから開く"), as a UTF-16 path: any name opens.
void LoadCommandLineFile();

// Sends every trace line to the debugger output.
void RouteTraceToDebugger();
