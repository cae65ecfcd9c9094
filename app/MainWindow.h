// The main window: start-up, and the trace route of the program.
#pragma once

#include <windows.h>

// Registers the class, creates and shows a main window, which accepts
// dropped files and holds its state (app/WindowState.h). Null when the
// window cannot be created.
HWND StartMainWindow(HINSTANCE instance, int showCommand);

// The first file named on the command line (a file dropped on the
// program's icon, "プログラムから開く"), as a UTF-16 path: any name opens.
// It loads into window as a dropped file does.
void LoadCommandLineFile(HWND window);

// Sends every trace line to the debugger output.
void RouteTraceToDebugger();
