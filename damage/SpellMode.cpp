#include "damage/SpellMode.h"

#include "form/ControlMap.h"
#include "form/Form.h"

// Reads only the current check state, so applying it twice changes nothing
// more. Leaving spell mode keeps 4015 at "100": its earlier selection is gone.
void ApplySpellMode(Form& form)
{
    if (form.GetCheck(IDC_SPELL_MODE)) {
        form.SetText(IDC_CALC_HEADER, SpellModeHeaderText);
        form.SetText(IDC_ATTACK_UP, SpellAttackUpText);
        for (int id : SpellModeDisabled)
            form.Enable(id, false);
        form.SetSelection(IDC_ATTR_RATE2, RateItemOfOne);
    } else {
        // Back to the initial texts of the control map.
        form.SetText(IDC_CALC_HEADER, FindControlDef(IDC_CALC_HEADER)->text);
        form.SetText(IDC_ATTACK_UP, FindControlDef(IDC_ATTACK_UP)->text);
        for (int id : SpellModeDisabled)
            form.Enable(id, true);
    }
}
