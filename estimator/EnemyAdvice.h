// The estimate put to use: each attack of the party seen in the rows, as
// the calculator would compute it against the estimated enemy, and which
// attack to record next to tell apart the enemies that still fit.
//
// The observations are those the estimation read. Attackers are their
// distinct (attack, strength, charm), techniques their distinct (power,
// attribute), both in row order; a move is an attacker with a technique,
// attacker-major, without a chain.
#pragma once

#include <cstdint>
#include <vector>

#include "estimator/Estimate.h"
#include "estimator/EstimatorState.h"
#include "estimator/ObservationSet.h"

struct Move {
    std::int32_t attack;
    std::int32_t power;
    int attribute;
    std::int32_t strength;
    std::int32_t charm;
    int attackerRow;  // the first row (1-based) with the attacker
    int techniqueRow; // the first row with the technique
};

std::vector<Move> MovesOf(const ObservationSet& set);

// A move's critical, non-critical average and minimum damage from the
// calculator's formulas (physical, no attack-up or defense-down), with the
// chosen candidate's defense, its rate for the move's attribute in the
// first rate list and 100 % in the second; unknown where the candidate has
// no rate for the attribute.
struct AttackFigures {
    Move move;
    bool known;
    std::int32_t critical;
    std::int32_t average;
    std::int32_t minimum;
};

// Known before unknown, then the strongest critical first, then move
// order. Empty without a chosen candidate.
std::vector<AttackFigures> AttacksAgainstEnemy(const ObservationSet& set, const Estimate& estimate);

// The enemies that still fit (hypotheses): a defense 0 to 99 with a rate
// step 0 to 7 for each attribute the observations use, that gives exactly
// every damage the chosen candidate reproduces. Held per defense as the
// steps left for each attribute: every combination of them fits.
struct DefenseLeft {
    std::int32_t defense;
    int steps[AttributeKindCount]; // bit j: step j fits; attributes unused: 1 (one placeholder step)
};

// What recording a move's critical hit next would tell: the damages it
// shows under each hypothesis left, grouped by value; expected is the
// hypotheses left on average afterwards (the sum of squared group sizes
// over the hypotheses left), worst the largest group.
struct MoveAdvice {
    Move move;
    double expected;
    std::int64_t worst;
    std::int64_t sumOfSquares; // exact, for ordering
    int groups;
};

struct Advice {
    bool found = false;            // a chosen candidate exists
    int usedAttributes = 0;        // bit a: some observation has attribute a
    std::int64_t remaining = 0;    // hypotheses left, N
    std::vector<DefenseLeft> left; // the defenses with hypotheses left
    std::vector<MoveAdvice> moves; // expected, then worst ascending, then move order
};

Advice AdviseNextHit(const ObservationSet& set, const Estimate& estimate);

// The same among other moves (a party known beyond the rows); a move whose
// attribute no observation uses is not advised: no enemy left says
// anything of its rate.
Advice AdviseNextHit(const ObservationSet& set, const Estimate& estimate, const std::vector<Move>& moves);

// N is 1: the enemy is known for the attributes used.
bool PinnedDown(const Advice& advice);

// No move makes two groups: the defenses left cannot be told apart by any
// attacker seen, whose attack stands too far above them.
bool CannotSplit(const Advice& advice);
