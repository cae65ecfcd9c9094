// The damage equation, shared by the calculator and the defense estimator.
// Its results are compared for exact equality with damage seen in the game,
// so the order of the rounded double operations is part of the contract:
// this code must be built without FP contraction or fast-math.
#pragma once

#include <cstdint>

// The rate lists' steps: index 0 to 7 is the attribute rate 0.5 to 1.375
// in steps of 0.125, the items "50" to "137.5" of the lists.
constexpr int RateStepCount = 8;

constexpr double RateStep(std::int32_t index)
{
    return index * 0.125 + 0.5;
}

// The calculator's combined rate of its two rate lists.
double RateProduct(std::int32_t firstIndex, std::int32_t secondIndex);

// 1 + 0.001 × trunc((strength + charm) × 333 / 198).
double StatFactor(std::int32_t strength, std::int32_t charm);

// 1.0 for a chain count below 1, count × 0.1 + 1.0 otherwise.
double ChainFactor(std::int32_t chainCount);

// Every intermediate of one evaluation, for players who follow the
// rounding by hand.
struct DamageTerms {
    std::int32_t defense; // the one used: the spell defense in spell mode
    double attackTerm;
    double defenseTerm;
    double rate;          // M × StatFactor
    double beforeGuard;   // the finished product
    double afterGuard;    // plus RoundingGuard
    std::int32_t damage;  // truncated toward zero, saturated
};

DamageTerms ComputeDamageTerms(std::int32_t attack, std::int32_t defense, std::int32_t power, double rateMultiplier,
                               double statFactor, double chainFactor, bool spellMode);

std::int32_t ComputeDamage(std::int32_t attack, std::int32_t defense, std::int32_t power, double rateMultiplier,
                           double statFactor, double chainFactor, bool spellMode);
