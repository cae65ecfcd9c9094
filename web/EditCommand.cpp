#include "web/EditCommand.h"

#include <algorithm>
#include <cstdint>

#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "observations/PastedTable.h"

int RecomputeCommandOf(int id)
{
    const ControlDef* def = FindControlDef(id);
    if (!def || (def->kind != ControlKind::Edit && def->kind != ControlKind::Combo && def->kind != ControlKind::Check))
        return 0;
    const Panel panel = def->panel == Panel::Window ? Panel::Calculator : def->panel;
    for (const ControlDef& button : ControlMap)
        if (button.kind == ControlKind::Button && button.panel == panel)
            return button.id;
    return 0;
}

std::string SteppedText(const Form& form, int spinId, int delta)
{
    const ControlDef* spin = FindControlDef(spinId);
    if (!spin || spin->kind != ControlKind::Spin)
        return {};
    const std::int64_t value = ReadInteger(form.GetText(spin->buddyId).View());
    return std::to_string(std::clamp<std::int64_t>(value + delta, spin->rangeLow, spin->rangeHigh));
}

std::optional<RowPlace> RowPlaceOf(int id)
{
    for (int r = 0; r < ObservationRowCount; ++r)
        for (int c = 0; c < ObservationFieldCount; ++c)
            if (ObservationRowIds(r).*ObservationFields[c] == id)
                return RowPlace{r, c};
    return std::nullopt;
}

PasteKind PasteKindOf(int id, bool table, const TableReader& finished)
{
    if (table && (id == 0 || RowPlaceOf(id)))
        return PasteKind::Table;
    const ControlDef* def = FindControlDef(id);
    const bool oneValue = !finished.tab && !finished.spaced && finished.lines <= 1;
    return def && def->kind == ControlKind::Edit && oneValue ? PasteKind::Value : PasteKind::File;
}

const char* PasteKindName(PasteKind kind)
{
    switch (kind) {
    case PasteKind::Value: return "value";
    case PasteKind::Table: return "table";
    case PasteKind::File: return "file";
    }
    return "";
}
