#include "estimator/EstimateHandOff.h"

#include "damage/DamageCalculation.h"
#include "form/ControlIds.h"
#include "form/Form.h"
#include "form/TextFormat.h"

bool CanHandOffEstimate(const Estimate& estimate, int attribute)
{
    return EstimateFound(estimate) && attribute >= 0 && attribute < AttributeKindCount &&
           estimate.chosen.rates[attribute] != -1.0;
}

bool HandOffEstimate(Form& form, const Estimate& estimate, int attribute)
{
    if (!CanHandOffEstimate(estimate, attribute))
        return false;
    form.SetText(IDC_DEFENSE, FormatText("%d", estimate.chosen.defense));
    // The list's items are the rate steps: 0.5 is item 0, each 0.125 one more.
    form.SetSelection(IDC_ATTR_RATE, static_cast<int>((estimate.chosen.rates[attribute] - 0.5) * 8.0));
    RunDamageCalculation(form);
    return true;
}
