// The calculator panel's command: reads the upper panel, evaluates the
// damage equation for a critical hit, the non-critical average and the
// non-critical minimum, and writes the three figures into their labels.
#pragma once

#include <cstdint>

#include "damage/DamageFormula.h"

class Form;

enum class DamageVariant { Critical, Average, Minimum };

inline constexpr DamageVariant AllDamageVariants[] = {DamageVariant::Critical, DamageVariant::Average,
                                                      DamageVariant::Minimum};

// The panel's values after the attack-up and defense-down adjustments.
struct CalculatorInputs {
    std::int32_t attack;
    std::int32_t power;
    std::int32_t defense;
    bool spellMode;
    double statFactor;
    double rateProduct;
};

CalculatorInputs ReadCalculatorPanel(const Form& form);

// The rate multiplier M of one variant, formed from the rate product.
double VariantMultiplier(double rateProduct, DamageVariant variant);

// The label that shows a variant's result.
int ResultLabelOf(DamageVariant variant);

// What one calculation computed, for players who follow it by hand: the
// panel's values, and per variant (indexed as AllDamageVariants) its rate
// multiplier M and every term of its evaluation.
struct DamageCalculation {
    CalculatorInputs inputs;
    double multiplier[3];
    DamageTerms terms[3];
};

DamageCalculation RunDamageCalculation(Form& form);
