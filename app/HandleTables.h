// The process-wide handle tables: one per kind of control, indexed by the
// control ID minus the kind's base ID (the layout of SlotsOf). Filled by
// CreateControls.
#pragma once

#include <windows.h>

struct ControlDef;

// The table slot of a control ID, or null for an ID of no control.
HWND* HandleSlot(int id);

// The control's window, or null.
HWND ControlHandle(int id);

// The control map's entry of a control window, or null for any other window.
const ControlDef* ControlDefOf(HWND control);
