#include "damage/DamageFormula.h"

#include "form/IntegerField.h"

namespace {

constexpr double AttackFloor = 15.0;
constexpr double AttackCeiling = 75.0;
constexpr double AttackCoefficient = 0.06;
constexpr double DifferenceBound = 50.0;
constexpr double PhysicalCoefficient = 0.015;
constexpr double SpellCoefficient = 0.008;
constexpr std::int32_t SpellDefense = 25;
constexpr double RoundingGuard = 1e-11;

} // namespace

double RateProduct(std::int32_t firstIndex, std::int32_t secondIndex)
{
    return RateStep(secondIndex) * RateStep(firstIndex);
}

double StatFactor(std::int32_t strength, std::int32_t charm)
{
    // Summed in 64 bits: typed values far beyond the spin range must not
    // overflow. Every sum of two 32-bit values converts to double exactly.
    const std::int64_t sum = std::int64_t{strength} + charm;
    const std::int32_t scaled = TruncateToInt32(static_cast<double>(sum) * 333.0 / 198.0);
    return scaled * 0.001 + 1.0;
}

double ChainFactor(std::int32_t chainCount)
{
    return chainCount < 1 ? 1.0 : chainCount * 0.1 + 1.0;
}

DamageTerms ComputeDamageTerms(std::int32_t attack, std::int32_t defense, std::int32_t power, double rateMultiplier,
                               double statFactor, double chainFactor, bool spellMode)
{
    const double coefficient = spellMode ? SpellCoefficient : PhysicalCoefficient;
    const double defenseValue = spellMode ? SpellDefense : defense;
    const double a = attack;

    const double clamped = a > AttackCeiling ? AttackCeiling : (a < AttackFloor ? AttackFloor : a);
    DamageTerms terms{};
    terms.defense = spellMode ? SpellDefense : defense;
    terms.attackTerm = clamped * AttackCoefficient;

    // The difference uses the unclamped attack.
    double d = a - defenseValue;
    d = d > DifferenceBound ? DifferenceBound : (d < -DifferenceBound ? -DifferenceBound : d);
    terms.defenseTerm = d * coefficient + 1.0;
    terms.rate = rateMultiplier * statFactor;

    double x = terms.defenseTerm * terms.attackTerm;
    x = x * power;
    x = x * terms.rate;
    x = x * chainFactor;
    terms.beforeGuard = x;
    terms.afterGuard = x + RoundingGuard;
    terms.damage = TruncateToInt32(terms.afterGuard);
    return terms;
}

std::int32_t ComputeDamage(std::int32_t attack, std::int32_t defense, std::int32_t power, double rateMultiplier,
                           double statFactor, double chainFactor, bool spellMode)
{
    return ComputeDamageTerms(attack, defense, power, rateMultiplier, statFactor, chainFactor, spellMode).damage;
}
