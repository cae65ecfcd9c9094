// The process-wide handle tables: one array per kind of control, indexed
// by the control ID minus the kind's base ID. Filled by CreateControls.
#pragma once

#include <windows.h>

extern HWND GroupHandles[10];
extern HWND LabelHandles[30];
extern HWND EditHandles[40];
extern HWND SpinHandles[30];
extern HWND ComboHandles[30];
extern HWND ButtonHandles[30];
extern HWND CheckHandles[10];

// The table slot of a control ID, or null for an ID of no control.
HWND* HandleSlot(int id);

// The control's window, or null.
HWND ControlHandle(int id);
