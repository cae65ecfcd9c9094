#include "app/HandleTables.h"

#include "form/ControlMap.h"

namespace {

HWND GroupHandles[SlotsOf(ControlKind::Group).slots];
HWND LabelHandles[SlotsOf(ControlKind::Label).slots];
HWND EditHandles[SlotsOf(ControlKind::Edit).slots];
HWND SpinHandles[SlotsOf(ControlKind::Spin).slots];
HWND ComboHandles[SlotsOf(ControlKind::Combo).slots];
HWND ButtonHandles[SlotsOf(ControlKind::Button).slots];
HWND CheckHandles[SlotsOf(ControlKind::Check).slots];

HWND* TableOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group: return GroupHandles;
    case ControlKind::Label: return LabelHandles;
    case ControlKind::Edit: return EditHandles;
    case ControlKind::Spin: return SpinHandles;
    case ControlKind::Combo: return ComboHandles;
    case ControlKind::Button: return ButtonHandles;
    case ControlKind::Check: return CheckHandles;
    }
    return nullptr;
}

} // namespace

HWND* HandleSlot(int id)
{
    const ControlDef* def = FindControlDef(id);
    if (!def)
        return nullptr;
    return TableOf(def->kind) + (id - SlotsOf(def->kind).base);
}

HWND ControlHandle(int id)
{
    HWND* slot = HandleSlot(id);
    return slot ? *slot : nullptr;
}

const ControlDef* ControlDefOf(HWND control)
{
    if (!control)
        return nullptr;
    for (const ControlDef& def : ControlMap)
        if (ControlHandle(def.id) == control)
            return &def;
    return nullptr;
}
