#include "estimator/EstimatorState.h"

#include <algorithm>
#include <iterator>

EstimatorState Estimator;

EstimatorState::EstimatorState()
{
    ResetEstimator(*this);
}

void ResetEstimator(EstimatorState& state)
{
    state.observationCount = 0;
    std::fill(std::begin(state.attack), std::end(state.attack), 0);
    std::fill(std::begin(state.power), std::end(state.power), 0);
    std::fill(std::begin(state.attributeKind), std::end(state.attributeKind), 0);
    std::fill(std::begin(state.damage), std::end(state.damage), 0);
    std::fill(std::begin(state.predictedDamage), std::end(state.predictedDamage), 0);
    std::fill(std::begin(state.chainCount), std::end(state.chainCount), 0);
    std::fill(std::begin(state.statFactor), std::end(state.statFactor), 1.0);
    state.tieCount = 0;
    std::fill(std::begin(state.candidateDefense), std::end(state.candidateDefense), -1);
    std::fill(&state.candidateRateStep[0][0], &state.candidateRateStep[0][0] + MaxCandidates * AttributeKindCount,
              -1);
    std::fill(std::begin(state.candidateHits), std::end(state.candidateHits), 0);
    state.candidateCount = 0;
    std::fill(std::begin(state.bestList), std::end(state.bestList), -1);
    std::fill(std::begin(state.defenseCandidateCount), std::end(state.defenseCandidateCount), 0);
}

void AddObservation(EstimatorState& state, const Observation& observation)
{
    if (state.observationCount >= MaxObservations)
        return;
    const int i = state.observationCount++;
    state.damage[i] = observation.damage;
    state.attack[i] = observation.attack;
    state.power[i] = observation.power;
    state.attributeKind[i] = observation.attributeKind;
    state.chainCount[i] = observation.chainCount;
    state.statFactor[i] = observation.statFactor;
}
