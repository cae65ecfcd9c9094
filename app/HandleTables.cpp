#include "app/HandleTables.h"

namespace {

HWND* TableOf(HandleTables& tables, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group: return tables.groups;
    case ControlKind::Label: return tables.labels;
    case ControlKind::Edit: return tables.edits;
    case ControlKind::Spin: return tables.spins;
    case ControlKind::Combo: return tables.combos;
    case ControlKind::Button: return tables.buttons;
    case ControlKind::Check: return tables.checks;
    }
    return nullptr;
}

} // namespace

HWND* HandleSlot(HandleTables& tables, int id)
{
    const ControlDef* def = FindControlDef(id);
    if (!def)
        return nullptr;
    return TableOf(tables, def->kind) + (id - SlotsOf(def->kind).base);
}

HWND ControlHandle(const HandleTables& tables, int id)
{
    // The slot is only read.
    HWND* slot = HandleSlot(const_cast<HandleTables&>(tables), id);
    return slot ? *slot : nullptr;
}

// A child's ID names its entry; the table tells whether it is that
// control or another window with the same ID.
const ControlDef* ControlDefOf(const HandleTables& tables, HWND control)
{
    if (!control)
        return nullptr;
    const int id = GetDlgCtrlID(control);
    return ControlHandle(tables, id) == control ? FindControlDef(id) : nullptr;
}
