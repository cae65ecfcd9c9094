// The main window: start-up, and the trace route of the program.
#pragma once

#include <windows.h>

#include <string>

extern HWND MainWindow;
extern std::wstring StartDirectory;

// Registers the class, creates and shows the main window, captures the
// start directory and prepares the dialog record. Null when the window
// cannot be created.
HWND StartMainWindow(HINSTANCE instance, int showCommand);

// Sends every trace line to the debugger output.
void RouteTraceToDebugger();
