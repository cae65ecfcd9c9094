// The candidate search: every pair of enemy defense (0 to 99) and rate step
// (0 to 7) that reproduces an observed damage exactly, merged into
// candidates (a defense with one rate step per attribute kind); the one
// reproducing the most observations is chosen, and the ones tied with it
// are listed.
#pragma once

#include <cstdint>
#include <string>

#include "estimator/EstimatorState.h"

// Searches every observation, chooses the first candidate with the most
// hits, lists the ties and predicts each observation's damage.
void SelectDefense(EstimatorState& state);

// The rate steps at which observation i's damage comes out exactly against
// the defense, bit j for step j: the pairs the search offers.
int ReproducingSteps(const EstimatorState& state, int i, std::int32_t defense);

// Whether the chosen candidate has a rate step for observation i's kind,
// that is, whether predictedDamage[i] means anything.
bool HasPrediction(const EstimatorState& state, int i);

// Whether candidate k's defense and its rate step for observation i's kind
// give exactly the observed damage. A candidate can reproduce observations
// its hit count missed: ones searched before it took the step that fits.
bool CandidateReproduces(const EstimatorState& state, int k, int i);

struct CandidateView {
    std::int32_t defense;                  // -1 when the entry is empty
    double rates[AttributeKindCount];      // -1.0 where no step is known
    std::int32_t hits;
};

// A rate as the labels show it: "1.250", or the message for what is not
// known ("不明") for -1.0.
std::string RateText(double rate);

// Candidate k of the table (0 <= k < candidateCount).
CandidateView ViewCandidate(const EstimatorState& state, int k);

// The candidate at position n of the best list (0 the chosen one).
CandidateView GetCandidate(const EstimatorState& state, int n);
