// A window's handle tables: one per kind of control, indexed by the
// control ID minus the kind's base ID (the layout of SlotsOf). Filled by
// CreateControls.
#pragma once

#include <windows.h>

#include "form/ControlMap.h"

struct HandleTables {
    HWND groups[SlotsOf(ControlKind::Group).slots];
    HWND labels[SlotsOf(ControlKind::Label).slots];
    HWND edits[SlotsOf(ControlKind::Edit).slots];
    HWND spins[SlotsOf(ControlKind::Spin).slots];
    HWND combos[SlotsOf(ControlKind::Combo).slots];
    HWND buttons[SlotsOf(ControlKind::Button).slots];
    HWND checks[SlotsOf(ControlKind::Check).slots];
};

// The table slot of a control ID, or null for an ID of no control.
HWND* HandleSlot(HandleTables& tables, int id);

// The control's window, or null.
HWND ControlHandle(const HandleTables& tables, int id);

// The control map's entry of a control window, or null for any other window.
const ControlDef* ControlDefOf(const HandleTables& tables, HWND control);
