// The window's message loop: the keyboard shortcuts first, then the dialog
// manager's keys (Tab among the controls), then the window itself.
#pragma once

#include <windows.h>

// One message as the loop hands it on; accelerators may be null.
void HandleLoopMessage(HACCEL accelerators, MSG& message);

// Until WM_QUIT: its wParam, or 0 when the loop fails.
int RunMessageLoop(HACCEL accelerators);
