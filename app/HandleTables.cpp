#include "app/HandleTables.h"

#include "form/ControlMap.h"

HWND GroupHandles[10];
HWND LabelHandles[30];
HWND EditHandles[40];
HWND SpinHandles[30];
HWND ComboHandles[30];
HWND ButtonHandles[30];
HWND CheckHandles[10];

namespace {

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
