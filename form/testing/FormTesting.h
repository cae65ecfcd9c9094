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
