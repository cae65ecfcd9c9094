#include "damage/DamageCalculation.h"

#include "damage/DamageFormula.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/IntegerField.h"
#include "form/TextFormat.h"

namespace {

static_assert(std::size(RateItems) == RateStepCount, "one rate list item per rate step");

constexpr double AttackUpFactor = 1.3;
constexpr double DefenseDownCut = 0.3; // of the defense, truncated

} // namespace

CalculatorInputs ReadCalculatorPanel(const Form& form)
{
    CalculatorInputs in{};
    in.attack = form.GetNumber(IDC_ATTACK);
    if (form.GetCheck(IDC_ATTACK_UP))
        in.attack = TruncateToInt32(in.attack * AttackUpFactor);
    in.power = form.GetNumber(IDC_POWER);
    in.defense = form.GetNumber(IDC_DEFENSE);
    // The reduction is truncated before it is applied, so the lowered
    // defense rounds up (25 gives 18). It never overflows: the reduction
    // is smaller than the defense and of the opposite sign.
    if (form.GetCheck(IDC_DEFENSE_DOWN))
        in.defense = in.defense + TruncateToInt32(in.defense * -DefenseDownCut);
    const std::int32_t strength = form.GetNumber(IDC_STRENGTH);
    const std::int32_t charm = form.GetNumber(IDC_CHARM);
    in.spellMode = form.GetCheck(IDC_SPELL_MODE);
    in.statFactor = StatFactor(strength, charm);
    in.rateProduct = RateProduct(form.GetSelection(IDC_ATTR_RATE), form.GetSelection(IDC_ATTR_RATE2));
    return in;
}

double VariantMultiplier(double rateProduct, DamageVariant variant)
{
    switch (variant) {
    case DamageVariant::Critical: return rateProduct;
    case DamageVariant::Average: return rateProduct * 2.0 / 3.0;
    case DamageVariant::Minimum: return rateProduct * 0.5;
    }
    return rateProduct;
}

int ResultLabelOf(DamageVariant variant)
{
    switch (variant) {
    case DamageVariant::Critical: return IDC_RESULT_CRIT;
    case DamageVariant::Average: return IDC_RESULT_AVG;
    case DamageVariant::Minimum: return IDC_RESULT_MIN;
    }
    return IDC_RESULT_CRIT;
}

DamageCalculation RunDamageCalculation(Form& form)
{
    DamageCalculation calculation{};
    const CalculatorInputs& in = calculation.inputs = ReadCalculatorPanel(form);
    for (DamageVariant variant : AllDamageVariants) {
        const int v = static_cast<int>(variant);
        calculation.multiplier[v] = VariantMultiplier(in.rateProduct, variant);
        calculation.terms[v] = ComputeDamageTerms(in.attack, in.defense, in.power, calculation.multiplier[v],
                                                  in.statFactor, 1.0, in.spellMode);
        form.SetText(ResultLabelOf(variant), FormatText("%d", calculation.terms[v].damage));
    }
    return calculation;
}
