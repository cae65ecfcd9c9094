#include "commands/PanelCommand.h"

#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "estimator/DefenseEstimation.h"
#include "form/ControlIds.h"

PanelCommandResult RunPanelCommand(Form& form, int id)
{
    switch (id) {
    case IDC_CALC_RUN: RunDamageCalculation(form); break;
    case IDC_EST_RUN: return {true, RunDefenseEstimation(form)};
    case IDC_SPELL_MODE: ApplySpellMode(form); break;
    default: break;
    }
    return {false, Estimate{}};
}
