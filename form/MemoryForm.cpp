#include "form/MemoryForm.h"

namespace {
const std::string EmptyText;
}

MemoryForm::MemoryForm()
{
    for (int i = 0; i < ControlCount; ++i) {
        const ControlDef& def = ControlMap[i];
        controls[static_cast<std::size_t>(i)] = {def.text, true, false,
                                                 def.kind == ControlKind::Combo ? def.selection : -1};
    }
}

// An ID that is not in the control map reads as an empty, clear, unselected
// control and ignores writes.
const MemoryForm::ControlState* MemoryForm::Find(int id) const
{
    const int index = FindControl(id);
    return index < 0 ? nullptr : &controls[static_cast<std::size_t>(index)];
}

MemoryForm::ControlState* MemoryForm::Find(int id)
{
    const int index = FindControl(id);
    return index < 0 ? nullptr : &controls[static_cast<std::size_t>(index)];
}

FieldText MemoryForm::GetText(int id) const
{
    return MakeFieldText(FullText(id));
}

void MemoryForm::SetText(int id, std::string_view text)
{
    // A window text ends at its first NUL; keep the same here.
    if (ControlState* control = Find(id))
        control->text.assign(text.substr(0, text.find('\0')));
}

int MemoryForm::GetSelection(int id) const
{
    const ControlState* control = Find(id);
    return control ? control->selection : -1;
}

void MemoryForm::SetSelection(int id, int index)
{
    ControlState* control = Find(id);
    if (!control)
        return;
    const ControlDef& def = ControlMap[FindControl(id)];
    if (def.kind != ControlKind::Combo)
        return;
    const bool inRange = index >= 0 && static_cast<std::size_t>(index) < def.items.size();
    control->selection = inRange ? index : -1;
}

bool MemoryForm::GetCheck(int id) const
{
    const ControlState* control = Find(id);
    return control && control->checked;
}

void MemoryForm::Enable(int id, bool enabled)
{
    if (ControlState* control = Find(id))
        control->enabled = enabled;
}

void MemoryForm::SetCheck(int id, bool checked)
{
    ControlState* control = Find(id);
    if (control && ControlMap[FindControl(id)].kind == ControlKind::Check)
        control->checked = checked;
}

bool MemoryForm::IsEnabled(int id) const
{
    const ControlState* control = Find(id);
    return control && control->enabled;
}

const std::string& MemoryForm::FullText(int id) const
{
    const ControlState* control = Find(id);
    return control ? control->text : EmptyText;
}
