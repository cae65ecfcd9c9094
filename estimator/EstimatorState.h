// The estimator's working record: the observations of one estimation, the
// candidate table the search builds from them, the best list and the
// damage the chosen candidate predicts. Fixed-size; allocates nothing.
#pragma once

#include <cstdint>

#include "damage/DamageFormula.h"

constexpr int MaxObservations = 6;
constexpr int DefenseValueCount = 100; // defense values 0 to 99 are tried
constexpr int AttributeKindCount = 3;

// Each (observation, defense, rate step) match creates at most one
// candidate, so the table can never fill: the result always equals that of
// an unbounded search.
constexpr int MaxCandidates = MaxObservations * DefenseValueCount * RateStepCount;
constexpr int MaxCandidatesPerDefense = MaxObservations * RateStepCount;

enum AttributeKind : std::int32_t { Slash = 0, Strike = 1, Thrust = 2 };

// One observed critical hit with the attacker's values.
struct Observation {
    std::int32_t damage;
    std::int32_t attack;
    std::int32_t power;
    std::int32_t attributeKind;
    std::int32_t chainCount;
    double statFactor;
};

struct EstimatorState {
    // Construction gives the empty state, as ResetEstimator does.
    EstimatorState();

    std::int32_t observationCount;
    std::int32_t attack[MaxObservations];
    std::int32_t power[MaxObservations];
    std::int32_t attributeKind[MaxObservations];
    std::int32_t damage[MaxObservations];
    std::int32_t predictedDamage[MaxObservations];
    std::int32_t chainCount[MaxObservations];
    double statFactor[MaxObservations];
    std::int32_t tieCount;
    std::int32_t candidateDefense[MaxCandidates];                        // -1: slot unused
    std::int32_t candidateRateStep[MaxCandidates][AttributeKindCount];   // -1: no step for the kind
    std::int32_t candidateHits[MaxCandidates];
    std::int32_t candidateCount;
    std::int32_t bestList[MaxCandidates];                                // -1: empty entry

    // Index of the candidate table by defense value, in creation order: a
    // pair (d, step) is offered only to candidates with defense d, so the
    // scan visits these instead of the whole table, in the same order.
    std::int32_t defenseCandidateCount[DefenseValueCount];
    std::int16_t defenseCandidates[DefenseValueCount][MaxCandidatesPerDefense];
};

// The process's one estimator, used by the estimation command.
extern EstimatorState Estimator;

void ResetEstimator(EstimatorState& state);

// Stores the next observation; at most MaxObservations are kept.
void AddObservation(EstimatorState& state, const Observation& observation);
