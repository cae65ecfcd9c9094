// The main window: class registration, start-up, the window procedure and
// its command dispatch.
#pragma once

#include <windows.h>

extern HWND MainWindow;
extern char StartDirectory[MAX_PATH + 1];

extern const char MainClassName[];
extern const char MainWindowTitle[];

void RegisterMainClass(HINSTANCE instance);

// Registers the class, creates and shows the main window, captures the
// start directory and prepares the dialog record. Null when the window
// cannot be created.
HWND StartMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Asks "終了しますか？"; Yes destroys the window.
void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam);

// Sends every trace line to the debugger output.
void RouteTraceToDebugger();
