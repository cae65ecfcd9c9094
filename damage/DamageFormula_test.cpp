#include "damage/DamageFormula.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

TEST(RateStep, GivesTheEightListRatesExactly)
{
    const double rates[] = {0.5, 0.625, 0.75, 0.875, 1.0, 1.125, 1.25, 1.375};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(RateStep(i), rates[i]) << i;
    EXPECT_EQ(RateProduct(7, 0), 0.6875);
    EXPECT_EQ(RateProduct(0, 7), 0.6875);
    EXPECT_EQ(RateProduct(7, 7), 1.890625);
}

TEST(StatFactor, TruncatesTheScaledSum)
{
    const struct {
        std::int32_t strength, charm;
        double expected;
    } cases[] = {
        {0, 0, 1.0}, {1, 0, 1.001}, {10, 0, 1.016}, {99, 99, 1.333}, {10, 5, 1.025}, {10, 10, 1.033}, {5, 20, 1.042},
        // Typed far beyond the spin range: formed without 32-bit overflow,
        // the scaled figure saturating.
        {Max, Max, Max * 0.001 + 1.0},
        {Min, Min, Min * 0.001 + 1.0},
        {Max, Min, 1.0 - 0.001},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatFactor(c.strength, c.charm), c.expected) << c.strength << "+" << c.charm;
}

TEST(ChainFactor, IsOneBelowOneAndStepsByATenth)
{
    const struct {
        std::int32_t count;
        double expected;
    } cases[] = {{Min, 1.0}, {-1, 1.0}, {0, 1.0}, {1, 1.1}, {2, 1.2}, {3, 1.3}, {4, 1.4}, {5, 1.5}};
    for (const auto& c : cases)
        EXPECT_EQ(ChainFactor(c.count), c.expected) << c.count;
}

struct FormulaCase {
    const char* why;
    std::int32_t attack, defense, power;
    double rate, stat, chain;
    bool spell;
    std::int32_t expected;
};

const FormulaCase FormulaCases[] = {
    {"initial panel, critical", 50, 30, 300, 1.0, 1.0, 1.0, false, 1170},
    {"initial panel, average", 50, 30, 300, 1.0 * 2.0 / 3.0, 1.0, 1.0, false, 780},
    {"initial panel, minimum", 50, 30, 300, 0.5, 1.0, 1.0, false, 585},
    // The products fall a few ulps below a whole number: only the guard
    // makes these whole.
    {"guard: 413.99999999999994", 20, 10, 300, 1.0, 1.0, 1.0, false, 414},
    {"guard: 275.99999999999994", 20, 10, 300, 1.0 * 2.0 / 3.0, 1.0, 1.0, false, 276},
    {"guard: 206.99999999999997", 20, 10, 300, 0.5, 1.0, 1.0, false, 207},
    {"guard: 15 x 0.06 is below 0.9", 1, 1, 50, 1.0, 1.0, 1.0, false, 45},
    {"attack floor, average", 1, 1, 50, 1.0 * 2.0 / 3.0, 1.0, 1.0, false, 30},
    {"attack floor, minimum", 1, 1, 50, 0.5, 1.0, 1.0, false, 22},
    {"spell ignores defense", 50, 99, 300, 1.0, 1.0, 1.0, true, 1080},
    {"spell ignores a negative defense", 50, -1000, 300, 1.0, 1.0, 1.0, true, 1080},
    {"spell, average", 50, 30, 300, 1.0 * 2.0 / 3.0, 1.0, 1.0, true, 720},
    {"spell, minimum", 50, 30, 300, 0.5, 1.0, 1.0, true, 540},
    {"stat 1.333", 50, 30, 300, 1.0, 1.333, 1.0, false, 1559},
    {"stat 1.333, average", 50, 30, 300, 1.0 * 2.0 / 3.0, 1.333, 1.0, false, 1039},
    {"stat 1.333, minimum", 50, 30, 300, 0.5, 1.333, 1.0, false, 779},
    {"everything at its top", 200, 1, 999, 1.890625, 1.333, 1.0, false, 19826},
    {"everything at its top, average", 200, 1, 999, 1.890625 * 2.0 / 3.0, 1.333, 1.0, false, 13217},
    {"everything at its top, minimum", 200, 1, 999, 1.890625 * 0.5, 1.333, 1.0, false, 9913},
    {"difference from the unclamped attack", 500, 30, 300, 1.0, 1.0, 1.0, false, 2362},
    {"same as attack 80", 80, 30, 300, 1.0, 1.0, 1.0, false, 2362},
    {"power 0", 50, 30, 0, 1.0, 1.0, 1.0, false, 0},
    {"power 0, spell", 50, 30, 0, 1.0, 1.0, 1.0, true, 0},
    {"negative product truncates toward zero (-3.9)", 50, 30, -1, 1.0, 1.0, 1.0, false, -3},
    {"estimator with chain 2", 50, 30, 300, 1.0, 1.0, 1.2, false, 1404},
    {"huge product saturates", 75, 0, Max, 1.375, 2147484.647, 1.5, false, Max},
    {"huge negative product saturates", 75, 0, Min, 1.375, 2147484.647, 1.5, false, Min},
    {"infinite rate gives 0, not a fault", 50, 30, 300, std::numeric_limits<double>::infinity(), 1.0, 1.0, false, 0},
    {"extreme attack and defense clamp", Max, Min, 300, 1.0, 1.0, 1.0, false, 2362},
};

TEST(ComputeDamage, MatchesTheEquationBitForBit)
{
    for (const FormulaCase& c : FormulaCases)
        EXPECT_EQ(ComputeDamage(c.attack, c.defense, c.power, c.rate, c.stat, c.chain, c.spell), c.expected) << c.why;
}

TEST(ComputeDamageTerms, ExposesTheClampsAndTheGuard)
{
    DamageTerms t = ComputeDamageTerms(200, 1, 300, 1.0, 1.0, 1.0, false);
    EXPECT_EQ(t.attackTerm, 75 * 0.06);
    EXPECT_EQ(t.defenseTerm, 1.75);
    t = ComputeDamageTerms(200, 1, 300, 1.0, 1.0, 1.0, true);
    EXPECT_EQ(t.defenseTerm, 50 * 0.008 + 1.0);
    t = ComputeDamageTerms(1, 99, 300, 1.0, 1.0, 1.0, false);
    EXPECT_EQ(t.attackTerm, 15 * 0.06);
    EXPECT_EQ(t.defenseTerm, 0.25);
    t = ComputeDamageTerms(1, 99, 300, 1.0, 1.0, 1.0, true);
    EXPECT_EQ(t.defenseTerm, -24 * 0.008 + 1.0);

    t = ComputeDamageTerms(20, 10, 300, 1.0, 1.0, 1.0, false);
    EXPECT_EQ(t.beforeGuard, 413.99999999999994);
    EXPECT_EQ(t.damage, 414);
}

} // namespace
