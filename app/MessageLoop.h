// The window's message loop: the keyboard shortcuts first, then the dialog
// manager's keys (Tab among the controls), then the window itself.
#pragma once

#include <windows.h>

// Until WM_QUIT: its wParam, or 0 when the loop fails. The shortcuts and
// the dialog manager's keys are window's; accelerators may be null.
int RunMessageLoop(HWND window, HACCEL accelerators);
