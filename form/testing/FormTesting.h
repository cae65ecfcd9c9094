// For the tests and fuzz targets of the core: a form that notes every
// write, and the question of which controls belong to the rows.
#pragma once

#include <string>
#include <vector>

#include "form/MemoryForm.h"

// Whether the ID is one of the seven controls of an observation row.
inline bool IsObservationRowControl(int id)
{
    for (int r = 0; r < ObservationRowCount; ++r) {
        for (int ObservationRow::*field : ObservationFields)
            if (id == ObservationRowIds(r).*field)
                return true;
    }
    return false;
}

// A row as a player leaves it: five field texts and two list selections
// (-1: none).
struct TypedRow {
    const char* damage;
    const char* attack;
    const char* power;
    int attribute;
    const char* strength;
    const char* charm;
    int chain;
};

// Types row r (0 to 5) into the form, field by field, as a player would.
inline void TypeRow(Form& form, int r, const TypedRow& typed)
{
    const ObservationRow row = ObservationRowIds(r);
    form.SetText(row.damage, typed.damage);
    form.SetText(row.attack, typed.attack);
    form.SetText(row.power, typed.power);
    form.SetSelection(row.attribute, typed.attribute);
    form.SetText(row.strength, typed.strength);
    form.SetText(row.charm, typed.charm);
    form.SetSelection(row.chain, typed.chain);
}

// A form that notes the writes, in order, as "id=text" or "id#index".
class RecordingForm final : public Form {
public:
    FieldText GetText(int id) const override { return form.GetText(id); }
    void SetText(int id, std::string_view text) override
    {
        writes.push_back(std::to_string(id) + "=" + std::string(text));
        form.SetText(id, text);
    }
    int GetSelection(int id) const override { return form.GetSelection(id); }
    void SetSelection(int id, int index) override
    {
        writes.push_back(std::to_string(id) + "#" + std::to_string(index));
        form.SetSelection(id, index);
    }
    bool GetCheck(int id) const override { return form.GetCheck(id); }
    void Enable(int id, bool enabled) override { form.Enable(id, enabled); }

    MemoryForm form;
    std::vector<std::string> writes;
};
