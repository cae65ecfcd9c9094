#include "estimator/EnemyAdvice.h"

#include <algorithm>
#include <bit>
#include <map>
#include <tuple>
#include <utility>

#include "damage/DamageCalculation.h"
#include "damage/DamageFormula.h"
#include "form/ControlMap.h"

namespace {

constexpr int AllSteps = (1 << RateStepCount) - 1;

// The first row's values of each distinct key, in row order.
template <typename Key>
std::vector<ObservedRow> Distinct(const ObservationSet& set, Key key)
{
    std::vector<ObservedRow> distinct;
    for (int i = 0; i < set.count; ++i)
        if (std::none_of(distinct.begin(), distinct.end(), [&](const ObservedRow& o) { return key(o) == key(set.rows[i]); }))
            distinct.push_back(set.rows[i]);
    return distinct;
}

// The observations the estimation stored: every row, as it stops at none
// when a candidate was chosen.
int ObservationCount(const ObservationSet& set, const Estimate& estimate)
{
    return std::min(set.count, estimate.observationCount);
}

int StepOfRate(double rate)
{
    return static_cast<int>((rate - 0.5) * 8.0);
}

std::int32_t CriticalHit(const Move& move, std::int32_t defense, int step)
{
    return ComputeDamage(move.attack, defense, move.power, RateStep(step), StatFactor(move.strength, move.charm),
                         ChainFactor(0), false);
}

std::int64_t Combinations(const DefenseLeft& left, int skipped = -1)
{
    std::int64_t count = 1;
    for (int a = 0; a < AttributeKindCount; ++a)
        if (a != skipped)
            count *= std::popcount(static_cast<unsigned>(left.steps[a]));
    return count;
}

// For one defense, the steps of each used attribute that give every
// reproduced observation of that attribute exactly; an attribute used but
// reproduced by none keeps all eight.
DefenseLeft StepsLeft(const ObservationSet& set, const Estimate& estimate, int usedAttributes, std::int32_t defense)
{
    DefenseLeft left{defense, {1, 1, 1}};
    for (int a = 0; a < AttributeKindCount; ++a)
        if (usedAttributes & (1 << a))
            left.steps[a] = AllSteps;
    for (int i = 0; i < ObservationCount(set, estimate); ++i) {
        if (!estimate.reproduced[i])
            continue;
        const ObservedRow& o = set.rows[i];
        int fits = 0;
        for (int j = 0; j < RateStepCount; ++j)
            if (ComputeDamage(o.attack, defense, o.power, RateStep(j), StatFactor(o.strength, o.charm),
                              ChainFactor(o.chainCount), false) == o.damage)
                fits |= 1 << j;
        left.steps[o.attribute] &= fits;
    }
    return left;
}

MoveAdvice AdviseMove(const Move& move, const std::vector<DefenseLeft>& left, std::int64_t remaining)
{
    std::map<std::int32_t, std::int64_t> groups;
    for (const DefenseLeft& d : left) {
        const std::int64_t others = Combinations(d, move.attribute);
        for (int j = 0; j < RateStepCount; ++j)
            if (d.steps[move.attribute] & (1 << j))
                groups[CriticalHit(move, d.defense, j)] += others;
    }
    MoveAdvice advice{move, 0.0, 0, 0, static_cast<int>(groups.size())};
    for (const auto& group : groups) {
        advice.sumOfSquares += group.second * group.second;
        advice.worst = std::max(advice.worst, group.second);
    }
    advice.expected = static_cast<double>(advice.sumOfSquares) / static_cast<double>(remaining);
    return advice;
}

} // namespace

std::vector<Move> MovesOf(const ObservationSet& set)
{
    const auto attackers = Distinct(set, [](const ObservedRow& o) { return std::tuple(o.attack, o.strength, o.charm); });
    const auto techniques = Distinct(set, [](const ObservedRow& o) { return std::pair(o.power, o.attribute); });
    std::vector<Move> moves;
    for (const ObservedRow& attacker : attackers)
        for (const ObservedRow& technique : techniques)
            moves.push_back({attacker.attack, technique.power, technique.attribute, attacker.strength, attacker.charm,
                             attacker.row, technique.row});
    return moves;
}

std::vector<AttackFigures> AttacksAgainstEnemy(const ObservationSet& set, const Estimate& estimate)
{
    std::vector<AttackFigures> attacks;
    if (!EstimateFound(estimate))
        return attacks;
    for (const Move& move : MovesOf(set)) {
        AttackFigures figures{move, estimate.chosen.rates[move.attribute] != -1.0, 0, 0, 0};
        if (figures.known) {
            const double product = RateProduct(StepOfRate(estimate.chosen.rates[move.attribute]), RateItemOfOne);
            const double statFactor = StatFactor(move.strength, move.charm);
            const auto figure = [&](DamageVariant variant) {
                return ComputeDamage(move.attack, estimate.chosen.defense, move.power,
                                     VariantMultiplier(product, variant), statFactor, ChainFactor(0), false);
            };
            figures.critical = figure(DamageVariant::Critical);
            figures.average = figure(DamageVariant::Average);
            figures.minimum = figure(DamageVariant::Minimum);
        }
        attacks.push_back(figures);
    }
    std::stable_sort(attacks.begin(), attacks.end(), [](const AttackFigures& a, const AttackFigures& b) {
        return a.known != b.known ? a.known : a.critical > b.critical;
    });
    return attacks;
}

Advice AdviseNextHit(const ObservationSet& set, const Estimate& estimate)
{
    return AdviseNextHit(set, estimate, MovesOf(set));
}

Advice AdviseNextHit(const ObservationSet& set, const Estimate& estimate, const std::vector<Move>& moves)
{
    Advice advice{};
    advice.found = EstimateFound(estimate);
    if (!advice.found)
        return advice;
    for (int i = 0; i < ObservationCount(set, estimate); ++i)
        advice.usedAttributes |= 1 << set.rows[i].attribute;
    for (std::int32_t d = 0; d < DefenseValueCount; ++d) {
        const DefenseLeft left = StepsLeft(set, estimate, advice.usedAttributes, d);
        if (const std::int64_t count = Combinations(left); count > 0) {
            advice.left.push_back(left);
            advice.remaining += count;
        }
    }
    if (advice.remaining == 0)
        return advice;
    for (const Move& move : moves)
        if (advice.usedAttributes & (1 << move.attribute))
            advice.moves.push_back(AdviseMove(move, advice.left, advice.remaining));
    std::stable_sort(advice.moves.begin(), advice.moves.end(), [](const MoveAdvice& a, const MoveAdvice& b) {
        return a.sumOfSquares != b.sumOfSquares ? a.sumOfSquares < b.sumOfSquares : a.worst < b.worst;
    });
    return advice;
}

bool PinnedDown(const Advice& advice)
{
    return advice.found && advice.remaining == 1;
}

bool CannotSplit(const Advice& advice)
{
    return advice.found && advice.remaining > 1 &&
           std::all_of(advice.moves.begin(), advice.moves.end(), [](const MoveAdvice& m) { return m.groups < 2; });
}
