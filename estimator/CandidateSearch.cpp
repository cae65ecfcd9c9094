#include "estimator/CandidateSearch.h"

#include "damage/DamageFormula.h"
#include "estimator/DebugTrace.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

bool ValidKind(std::int32_t kind)
{
    return kind >= 0 && kind < AttributeKindCount;
}

// Every candidate with defense d whose step for the kind is j or unset
// takes the pair; when none does, the pair starts a new candidate.
void OfferPair(EstimatorState& state, int d, int kind, int j)
{
    bool taken = false;
    for (int n = 0; n < state.defenseCandidateCount[d]; ++n) {
        const int k = state.defenseCandidates[d][n];
        std::int32_t& step = state.candidateRateStep[k][kind];
        if (step == j || step == -1) {
            step = j;
            ++state.candidateHits[k];
            taken = true;
        }
    }
    if (taken)
        return;
    const int k = state.candidateCount++;
    state.candidateDefense[k] = d;
    state.candidateRateStep[k][kind] = j;
    state.candidateHits[k] = 1;
    state.defenseCandidates[d][state.defenseCandidateCount[d]++] = static_cast<std::int16_t>(k);
}

// The tally: the first candidate with the highest hit count is chosen;
// ties under a lower maximum are dropped when a higher one appears.
void TallyCandidates(EstimatorState& state)
{
    std::int32_t maximum = 0;
    state.tieCount = 0;
    for (int k = 0; k < state.candidateCount; ++k) {
        DebugTrace("%d, %d\n", state.candidateDefense[k], state.candidateHits[k]);
        if (state.candidateHits[k] > maximum) {
            maximum = state.candidateHits[k];
            state.tieCount = 0;
            state.bestList[0] = k;
        } else if (state.candidateHits[k] == maximum) {
            state.bestList[++state.tieCount] = k;
        }
    }
}

// The physical damage the estimator expects for observation i against
// defense d at the given rate.
std::int32_t EstimatorDamage(const EstimatorState& state, int i, std::int32_t defense, double rate)
{
    return ComputeDamage(state.attack[i], defense, state.power[i], rate, state.statFactor[i],
                         ChainFactor(state.chainCount[i]), false);
}

// Offers every reproducing pair of observation i to the candidate table.
void SearchObservation(EstimatorState& state, int i)
{
    const std::int32_t kind = state.attributeKind[i];
    if (!ValidKind(kind))
        return;
    for (int d = 0; d < DefenseValueCount; ++d) {
        const int steps = ReproducingSteps(state, i, d);
        for (int j = 0; j < RateStepCount; ++j) {
            if (steps & (1 << j))
                OfferPair(state, d, kind, j);
        }
    }
}

} // namespace

int ReproducingSteps(const EstimatorState& state, int i, std::int32_t defense)
{
    int steps = 0;
    for (int j = 0; j < RateStepCount; ++j)
        if (EstimatorDamage(state, i, defense, RateStep(j)) == state.damage[i])
            steps |= 1 << j;
    return steps;
}

std::string RateText(double rate)
{
    return rate == -1.0 ? MessageText(MessageId::Unknown) : FormatText("%.3f", rate);
}

bool HasPrediction(const EstimatorState& state, int i)
{
    const int c = state.bestList[0];
    return c >= 0 && ValidKind(state.attributeKind[i]) && state.candidateRateStep[c][state.attributeKind[i]] >= 0;
}

void SelectDefense(EstimatorState& state)
{
    if (state.observationCount == 0)
        return;
    for (int i = 0; i < state.observationCount; ++i)
        SearchObservation(state, i);
    TallyCandidates(state);

    const int c = state.bestList[0];
    if (c < 0)
        return;
    // An observation whose kind the chosen candidate has no step for gets
    // no figure: a rate of 0.375 would mean nothing.
    for (int i = 0; i < state.observationCount; ++i) {
        state.predictedDamage[i] = HasPrediction(state, i)
            ? EstimatorDamage(state, i, state.candidateDefense[c], RateStep(state.candidateRateStep[c][state.attributeKind[i]]))
            : 0;
    }
}

bool CandidateReproduces(const EstimatorState& state, int k, int i)
{
    if (!ValidKind(state.attributeKind[i]))
        return false;
    const std::int32_t step = state.candidateRateStep[k][state.attributeKind[i]];
    return step >= 0 && EstimatorDamage(state, i, state.candidateDefense[k], RateStep(step)) == state.damage[i];
}

CandidateView ViewCandidate(const EstimatorState& state, int k)
{
    CandidateView view{state.candidateDefense[k], {}, state.candidateHits[k]};
    for (int a = 0; a < AttributeKindCount; ++a) {
        const std::int32_t step = state.candidateRateStep[k][a];
        view.rates[a] = step < 0 ? -1.0 : RateStep(step);
    }
    return view;
}

CandidateView GetCandidate(const EstimatorState& state, int n)
{
    const int c = state.bestList[n];
    return c < 0 ? CandidateView{-1, {-1.0, -1.0, -1.0}, 0} : ViewCandidate(state, c);
}
