#include "estimator/CandidateSearch.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "damage/DamageFormula.h"

namespace {

struct Row {
    std::int32_t damage, attack, power, kind, strength, charm, chain;
};

std::unique_ptr<EstimatorState> Search(const std::vector<Row>& rows)
{
    auto state = std::make_unique<EstimatorState>();
    for (const Row& r : rows)
        AddObservation(*state, {r.damage, r.attack, r.power, r.kind, r.chain, StatFactor(r.strength, r.charm)});
    SelectDefense(*state);
    return state;
}

struct Candidate {
    int index;
    std::int32_t defense;
    std::int32_t steps[3];
    std::int32_t hits;
};

struct SearchCase {
    const char* why;
    std::vector<Row> rows;
    int candidateCount;
    int tieCount;
    std::vector<int> best;            // bestList[0 .. tieCount], or its first entries
    std::vector<Candidate> candidates; // some candidates to check in full
};

const Row WorkedExample[] = {
    {1208, 50, 300, Slash, 10, 10, 0},
    {878, 55, 250, Strike, 10, 10, 0},
    {1776, 45, 320, Thrust, 10, 10, 3},
    {1522, 60, 280, Slash, 5, 20, 0},
};

const SearchCase SearchCases[] = {
    {"kinds merge into one candidate",
     {WorkedExample[0], WorkedExample[1], WorkedExample[2], WorkedExample[3]},
     1, 0, {0}, {{0, 30, {4, 2, 6}, 4}}},
    {"a mistyped damage starts its own candidate",
     {WorkedExample[0], WorkedExample[1], WorkedExample[2], {1500, 60, 280, Slash, 5, 20, 0}},
     2, 0, {0}, {{0, 30, {4, 2, 6}, 3}, {1, 42, {5, -1, -1}, 1}}},
    {"clamped difference: 26 defenses plus defense 38, all tied",
     {{787, 75, 100, Slash, 0, 0, 0}},
     27, 26, {0, 1, 2, 3}, {{25, 25, {4, -1, -1}, 1}, {26, 38, {5, -1, -1}, 1}}},
    {"a higher count drops the ties recorded before it",
     {{787, 75, 100, Slash, 0, 0, 0}, {648, 40, 300, Strike, 0, 0, 0}},
     28, 0, {26}, {{26, 38, {5, 3, -1}, 2}, {27, 63, {-1, 7, -1}, 1}}},
    {"the first of the highest is chosen, later ties follow it",
     {{787, 75, 100, Slash, 0, 0, 0}, {648, 40, 300, Strike, 0, 0, 0}, {362, 10, 300, Thrust, 0, 0, 0}},
     28, 1, {5, 26}, {{5, 5, {4, -1, 6}, 2}, {26, 38, {5, 3, -1}, 2}}},
    {"same kind with another step: new candidates per defense",
     {{787, 75, 100, Slash, 0, 0, 0}, {885, 75, 100, Slash, 0, 0, 0}},
     53, 52, {0, 1, 2}, {{26, 38, {5, -1, -1}, 1}, {27, 0, {5, -1, -1}, 1}}},
    {"two steps truncating alike at one defense: the higher conflicts",
     {{1, 15, 1, Slash, 0, 0, 0}},
     75, 74, {0, 1}, {{0, 0, {4, -1, -1}, 1}, {1, 0, {5, -1, -1}, 1}, {3, 0, {7, -1, -1}, 1}}},
    {"an observation adds at most one hit per candidate",
     {{1, 15, 1, Slash, 0, 0, 0}, {1, 15, 1, Slash, 0, 0, 0}},
     75, 74, {0, 1}, {{0, 0, {4, -1, -1}, 2}, {3, 0, {7, -1, -1}, 2}}},
    // Far more than 100 candidates: the observation that pins defense 95
    // must still find its candidates at the end of the table.
    {"beyond 100 candidates a later observation still counts",
     {{1, 1, 5, Slash, 0, 0, 0}, {146, 50, 300, Strike, 0, 0, 0}},
     317, 3, {297}, {{297, 95, {4, 0, -1}, 2}}},
    {"200 candidates of one kind, pinned at defense 95 twice",
     {{787, 200, 100, Slash, 0, 0, 0}, {885, 200, 100, Slash, 0, 0, 0}, {146, 50, 300, Strike, 0, 0, 0}},
     200, 1, {95, 195}, {{95, 95, {4, 0, -1}, 2}, {195, 95, {5, 0, -1}, 2}}},
    {"nothing reproduces", {{5, 50, 300, Slash, 0, 0, 0}}, 0, 0, {-1}, {}},
    {"zero power is never reproduced", {{100, 0, 0, Slash, 0, 0, 0}}, 0, 0, {-1}, {}},
};

TEST(SelectDefense, BuildsCandidatesAndChoosesByTheSelectionRule)
{
    for (const SearchCase& c : SearchCases) {
        const auto state = Search(c.rows);
        EXPECT_EQ(state->candidateCount, c.candidateCount) << c.why;
        EXPECT_EQ(state->tieCount, c.tieCount) << c.why;
        for (std::size_t n = 0; n < c.best.size(); ++n)
            EXPECT_EQ(state->bestList[n], c.best[n]) << c.why << ", best " << n;
        for (const Candidate& k : c.candidates) {
            EXPECT_EQ(state->candidateDefense[k.index], k.defense) << c.why << ", candidate " << k.index;
            for (int a = 0; a < 3; ++a)
                EXPECT_EQ(state->candidateRateStep[k.index][a], k.steps[a]) << c.why << ", candidate " << k.index;
            EXPECT_EQ(state->candidateHits[k.index], k.hits) << c.why << ", candidate " << k.index;
        }
        // Slots past the table stay empty; ties are in ascending order.
        EXPECT_EQ(state->candidateDefense[state->candidateCount], -1) << c.why;
        EXPECT_EQ(state->candidateHits[state->candidateCount], 0) << c.why;
        for (int n = 1; n <= state->tieCount; ++n)
            EXPECT_LT(state->bestList[n - 1], state->bestList[n]) << c.why;
    }
}

TEST(SelectDefense, PredictsEachObservationWithTheChosenCandidate)
{
    auto state = Search({WorkedExample[0], WorkedExample[1], WorkedExample[2], {1500, 60, 280, Slash, 5, 20, 0}});
    const std::int32_t expected[] = {1208, 878, 1776, 1522};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(HasPrediction(*state, i));
        EXPECT_EQ(state->predictedDamage[i], expected[i]) << i;
    }

    // The chosen candidate (defense 38) knows no Thrust step: no figure.
    state = Search({{787, 75, 100, Slash, 0, 0, 0}, {648, 40, 300, Strike, 0, 0, 0}, {5, 50, 300, Thrust, 0, 0, 0}});
    EXPECT_EQ(state->bestList[0], 26);
    EXPECT_TRUE(HasPrediction(*state, 0));
    EXPECT_TRUE(HasPrediction(*state, 1));
    EXPECT_FALSE(HasPrediction(*state, 2));
    EXPECT_EQ(state->predictedDamage[0], 787);
    EXPECT_EQ(state->predictedDamage[1], 648);
    EXPECT_EQ(state->predictedDamage[2], 0);
}

TEST(CandidateReproduces, RecomputesEachObservation)
{
    const auto state = Search({WorkedExample[0], WorkedExample[1], WorkedExample[2], {1500, 60, 280, Slash, 5, 20, 0}});
    const bool expected[2][4] = {{true, true, true, false}, {false, false, false, true}};
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(CandidateReproduces(*state, k, i), expected[k][i]) << k << " " << i;
}

TEST(ReproducingSteps, NamesTheStepsOfEachDefense)
{
    // Clamped attack difference: rate 1.0 (step 4) for defense 0 to 25,
    // rate 1.125 (step 5) for defense 38, nothing anywhere else.
    const auto state = Search({{787, 75, 100, Slash, 0, 0, 0}});
    for (int d = 0; d < DefenseValueCount; ++d)
        EXPECT_EQ(ReproducingSteps(*state, 0, d), d <= 25 ? 1 << 4 : d == 38 ? 1 << 5 : 0) << d;
}

TEST(GetCandidate, ReportsRatesOrMinusOne)
{
    const auto state = Search({{787, 75, 100, Slash, 0, 0, 0}, {648, 40, 300, Strike, 0, 0, 0}});
    CandidateView view = GetCandidate(*state, 0);
    EXPECT_EQ(view.defense, 38);
    EXPECT_EQ(view.rates[Slash], 1.125);
    EXPECT_EQ(view.rates[Strike], 0.875);
    EXPECT_EQ(view.rates[Thrust], -1.0);
    EXPECT_EQ(view.hits, 2);

    const auto empty = Search({{5, 50, 300, Slash, 0, 0, 0}});
    view = GetCandidate(*empty, 0);
    EXPECT_EQ(view.defense, -1);
    EXPECT_EQ(view.rates[Slash], -1.0);
}

TEST(ResetEstimator, LeavesNothingOfTheLastEstimation)
{
    auto state = Search({{1, 1, 5, Slash, 0, 0, 0}, {146, 50, 300, Strike, 0, 0, 0}});
    ASSERT_EQ(state->candidateCount, 317);
    ResetEstimator(*state);
    EXPECT_EQ(state->observationCount, 0);
    EXPECT_EQ(state->candidateCount, 0);
    EXPECT_EQ(state->tieCount, 0);
    for (int k = 0; k < MaxCandidates; ++k) {
        ASSERT_EQ(state->candidateDefense[k], -1) << k;
        ASSERT_EQ(state->bestList[k], -1) << k;
        ASSERT_EQ(state->candidateHits[k], 0) << k;
        for (int a = 0; a < 3; ++a)
            ASSERT_EQ(state->candidateRateStep[k][a], -1) << k;
    }
    for (int i = 0; i < MaxObservations; ++i) {
        EXPECT_EQ(state->statFactor[i], 1.0);
        EXPECT_EQ(state->predictedDamage[i], 0);
    }

    // A second search on the same record matches one on a fresh record.
    for (const Row& r : WorkedExample)
        AddObservation(*state, {r.damage, r.attack, r.power, r.kind, r.chain, StatFactor(r.strength, r.charm)});
    SelectDefense(*state);
    EXPECT_EQ(state->candidateCount, 1);
    EXPECT_EQ(state->candidateHits[0], 4);
}

TEST(SelectDefense, WithoutObservationsChangesNothing)
{
    const auto state = std::make_unique<EstimatorState>();
    state->predictedDamage[0] = 7;
    SelectDefense(*state);
    EXPECT_EQ(state->candidateCount, 0);
    EXPECT_EQ(state->bestList[0], -1);
    EXPECT_EQ(state->predictedDamage[0], 7);
}

} // namespace
