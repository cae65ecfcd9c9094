#include "estimator/EnemyAdvice.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "damage/DamageCalculation.h"
#include "damage/DamageFormula.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"

namespace {

// Rows as {row, damage, attack, power, attribute, strength, charm, chain count}.
ObservationSet SetOf(std::vector<ObservedRow> rows)
{
    ObservationSet set{};
    for (const ObservedRow& row : rows)
        set.rows[set.count++] = row;
    return set;
}

// Critical hits of an enemy, as the game would show them.
ObservedRow Hit(int row, std::int32_t attack, std::int32_t power, int attribute, std::int32_t strength,
                std::int32_t charm, int chain, std::int32_t defense, const int (&steps)[3])
{
    return {row, ComputeDamage(attack, defense, power, RateStep(steps[attribute]), StatFactor(strength, charm),
                               ChainFactor(chain), false),
            attack, power, attribute, strength, charm, chain};
}

constexpr int Enemy[3] = {3, 5, 6};

const struct {
    const char* what;
    ObservationSet set;
} Cases[] = {
    {"the worked example: one enemy fits",
     SetOf({{1, 1208, 50, 300, 0, 10, 10, 0}, {2, 878, 55, 250, 1, 10, 10, 0}, {3, 1776, 45, 320, 2, 10, 10, 3},
            {4, 1522, 60, 280, 0, 5, 20, 0}})},
    {"a row that conflicts: only the reproduced rows narrow",
     SetOf({{1, 1208, 50, 300, 0, 10, 10, 0}, {2, 878, 55, 250, 1, 10, 10, 0}, {3, 1776, 45, 320, 2, 10, 10, 3},
            {4, 1500, 60, 280, 0, 5, 20, 0}})},
    {"an attribute no reproduced row fixes", SetOf({{1, 180, 50, 300, 1, 12, 5, 3}, {2, 240, 52, 300, 2, 12, 5, 0}})},
    {"an attack far above the defenses left", SetOf({{1, 787, 75, 100, 0, 0, 0, 0}})},
    {"two low attacks pin it down", SetOf({Hit(1, 20, 300, 0, 0, 0, 0, 40, Enemy), Hit(2, 25, 280, 0, 5, 5, 0, 40, Enemy)})},
    {"six attackers and six techniques",
     SetOf({Hit(1, 30, 300, 0, 0, 0, 0, 40, Enemy), Hit(2, 45, 250, 1, 10, 10, 2, 40, Enemy),
            Hit(3, 60, 320, 2, 20, 5, 0, 40, Enemy), Hit(4, 75, 200, 0, 5, 0, 0, 40, Enemy),
            Hit(5, 90, 150, 1, 30, 30, 5, 40, Enemy), Hit(6, 35, 100, 2, 0, 40, 0, 40, Enemy)})},
};

Estimate EstimateOf(const ObservationSet& set)
{
    const auto state = std::make_unique<EstimatorState>();
    return EstimateObservations(set, *state);
}

bool SameMove(const Move& a, const Move& b)
{
    return std::tie(a.attack, a.power, a.attribute, a.strength, a.charm) ==
           std::tie(b.attack, b.power, b.attribute, b.strength, b.charm);
}

// Every enemy, one at a time: a defense with a step for each used
// attribute, kept when it gives every damage the chosen candidate
// reproduces.
struct Hypothesis {
    std::int32_t defense;
    int steps[3];
};

std::vector<Hypothesis> HypothesesLeft(const ObservationSet& set, const Estimate& estimate)
{
    int used = 0;
    for (int i = 0; i < set.count; ++i)
        used |= 1 << set.rows[i].attribute;
    std::vector<Hypothesis> left;
    for (std::int32_t d = 0; d < 100; ++d)
        for (int s0 = 0; s0 < ((used & 1) ? 8 : 1); ++s0)
            for (int s1 = 0; s1 < ((used & 2) ? 8 : 1); ++s1)
                for (int s2 = 0; s2 < ((used & 4) ? 8 : 1); ++s2) {
                    const Hypothesis h{d, {s0, s1, s2}};
                    bool fits = true;
                    for (int i = 0; i < set.count && fits; ++i) {
                        const ObservedRow& o = set.rows[i];
                        fits = !estimate.reproduced[i] ||
                               ComputeDamage(o.attack, d, o.power, RateStep(h.steps[o.attribute]),
                                             StatFactor(o.strength, o.charm), ChainFactor(o.chainCount),
                                             false) == o.damage;
                    }
                    if (fits)
                        left.push_back(h);
                }
    return left;
}

TEST(EnemyAdvice, AgreesWithEveryHypothesisCountedOneByOne)
{
    for (const auto& c : Cases) {
        const Estimate estimate = EstimateOf(c.set);
        ASSERT_TRUE(EstimateFound(estimate)) << c.what;
        const std::vector<Hypothesis> left = HypothesesLeft(c.set, estimate);
        const Advice advice = AdviseNextHit(c.set, estimate);
        EXPECT_EQ(advice.remaining, static_cast<std::int64_t>(left.size())) << c.what;

        struct Expected {
            Move move;
            double expected;
            std::int64_t worst;
            std::size_t order;
        };
        std::vector<Expected> expected;
        const std::vector<Move> moves = MovesOf(c.set);
        for (std::size_t m = 0; m < moves.size(); ++m) {
            std::map<std::int32_t, std::int64_t> groups;
            for (const Hypothesis& h : left)
                ++groups[ComputeDamage(moves[m].attack, h.defense, moves[m].power, RateStep(h.steps[moves[m].attribute]),
                                       StatFactor(moves[m].strength, moves[m].charm), 1.0, false)];
            double squares = 0;
            std::int64_t worst = 0;
            for (const auto& g : groups) {
                squares += static_cast<double>(g.second) * static_cast<double>(g.second);
                worst = std::max(worst, g.second);
            }
            expected.push_back({moves[m], squares / static_cast<double>(left.size()), worst, m});
        }
        std::sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
            return std::tie(a.expected, a.worst, a.order) < std::tie(b.expected, b.worst, b.order);
        });
        ASSERT_EQ(advice.moves.size(), expected.size()) << c.what;
        for (std::size_t m = 0; m < expected.size(); ++m) {
            EXPECT_TRUE(SameMove(advice.moves[m].move, expected[m].move)) << c.what << ", move " << m;
            EXPECT_DOUBLE_EQ(advice.moves[m].expected, expected[m].expected) << c.what << ", move " << m;
            EXPECT_EQ(advice.moves[m].worst, expected[m].worst) << c.what << ", move " << m;
        }
    }
}

TEST(EnemyAdvice, SaysWhenTheEnemyIsKnownOrCannotBeToldApart)
{
    const bool pinned[] = {true, true, false, false, true, true};
    const bool cannotSplit[] = {false, false, false, true, false, false};
    for (std::size_t k = 0; k < std::size(Cases); ++k) {
        const Advice advice = AdviseNextHit(Cases[k].set, EstimateOf(Cases[k].set));
        EXPECT_EQ(PinnedDown(advice), pinned[k]) << Cases[k].what;
        EXPECT_EQ(CannotSplit(advice), cannotSplit[k]) << Cases[k].what;
    }
    // Without a chosen candidate there is nothing to advise.
    const ObservationSet none = SetOf({{1, 1, 50, 300, 0, 0, 0, 0}});
    EXPECT_FALSE(AdviseNextHit(none, EstimateOf(none)).found);
    EXPECT_TRUE(AttacksAgainstEnemy(none, EstimateOf(none)).empty());
}

// Each attack as the calculator panel computes it with the enemy's
// defense and rate typed in.
TEST(EnemyAdvice, AttacksAreWhatTheCalculatorShows)
{
    for (const auto& c : Cases) {
        const Estimate estimate = EstimateOf(c.set);
        const std::vector<AttackFigures> attacks = AttacksAgainstEnemy(c.set, estimate);
        ASSERT_EQ(attacks.size(), MovesOf(c.set).size()) << c.what;
        for (std::size_t k = 0; k < attacks.size(); ++k) {
            const AttackFigures& a = attacks[k];
            const double rate = estimate.chosen.rates[a.move.attribute];
            ASSERT_EQ(a.known, rate != -1.0) << c.what;
            if (k > 0)
                EXPECT_TRUE(attacks[k - 1].known > a.known ||
                            (attacks[k - 1].known == a.known && attacks[k - 1].critical >= a.critical))
                    << c.what << ": strongest first";
            if (!a.known)
                continue;
            MemoryForm form;
            form.SetText(IDC_ATTACK, std::to_string(a.move.attack));
            form.SetText(IDC_POWER, std::to_string(a.move.power));
            form.SetText(IDC_DEFENSE, std::to_string(estimate.chosen.defense));
            form.SetText(IDC_STRENGTH, std::to_string(a.move.strength));
            form.SetText(IDC_CHARM, std::to_string(a.move.charm));
            form.SetSelection(IDC_ATTR_RATE, static_cast<int>((rate - 0.5) / 0.125));
            const DamageCalculation calculation = RunDamageCalculation(form);
            EXPECT_EQ(a.critical, calculation.terms[0].damage) << c.what;
            EXPECT_EQ(a.average, calculation.terms[1].damage) << c.what;
            EXPECT_EQ(a.minimum, calculation.terms[2].damage) << c.what;
        }
    }
}

} // namespace
