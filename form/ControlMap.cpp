#include "form/ControlMap.h"

#include <iterator>

namespace {

constexpr ControlKind AllKinds[] = {ControlKind::Group, ControlKind::Label, ControlKind::Edit, ControlKind::Spin,
                                    ControlKind::Combo, ControlKind::Button, ControlKind::Check};
constexpr int MaxSlots = 40;
constexpr int KindCount = static_cast<int>(std::size(AllKinds));

// Index of a kind's first cell in the ID lookup table, by ID range.
constexpr int LookupCell(int id)
{
    for (int k = 0; k < KindCount; ++k) {
        const KindSlots slots = SlotsOf(AllKinds[k]);
        if (id >= slots.base && id < slots.base + slots.slots)
            return k * MaxSlots + (id - slots.base);
    }
    return -1;
}

// ID → ControlMap index, built once at compile time from the map itself.
constexpr auto BuildLookup()
{
    std::array<std::int16_t, KindCount * MaxSlots> lookup{};
    lookup.fill(-1);
    for (int i = 0; i < ControlCount; ++i)
        lookup[static_cast<std::size_t>(LookupCell(ControlMap[i].id))] = static_cast<std::int16_t>(i);
    return lookup;
}

constexpr auto Lookup = BuildLookup();

// Every ID lies in the slot range of its own kind, and no two rows share one.
constexpr bool SlotsConsistent()
{
    for (int i = 0; i < ControlCount; ++i) {
        const KindSlots slots = SlotsOf(ControlMap[i].kind);
        if (ControlMap[i].id < slots.base || ControlMap[i].id >= slots.base + slots.slots)
            return false;
        if (Lookup[static_cast<std::size_t>(LookupCell(ControlMap[i].id))] != i)
            return false;
    }
    return true;
}
static_assert(SlotsConsistent(), "control IDs must be unique and within their kind's slots");

} // namespace

const char* ClassNameOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group:
    case ControlKind::Button:
    case ControlKind::Check: return "BUTTON";
    case ControlKind::Label: return "STATIC";
    case ControlKind::Edit: return "EDIT";
    case ControlKind::Spin: return "msctls_updown32";
    case ControlKind::Combo: return "COMBOBOX";
    }
    return "";
}

const char* KindNameOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group: return "group";
    case ControlKind::Label: return "label";
    case ControlKind::Edit: return "edit";
    case ControlKind::Spin: return "spin";
    case ControlKind::Combo: return "combo";
    case ControlKind::Button: return "button";
    case ControlKind::Check: return "check";
    }
    return "";
}

int FindControl(int id)
{
    const int cell = LookupCell(id);
    return cell < 0 ? -1 : Lookup[static_cast<std::size_t>(cell)];
}

const ControlDef* FindControlDef(int id)
{
    const int index = FindControl(id);
    return index < 0 ? nullptr : &ControlMap[index];
}

const ControlDef* FrameOf(Panel panel)
{
    for (const ControlDef& def : ControlMap)
        if (def.kind == ControlKind::Group && def.panel == panel)
            return &def;
    return nullptr;
}
