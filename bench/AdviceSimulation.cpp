// How many critical hits a player records before the enemy is pinned down
// (one defense, and one rate for each attribute of the party's
// techniques), choosing each next hit at random among the party's moves or
// as the advice says: its best move among the party's moves of the
// attributes recorded so far, or once none tells the enemies left apart,
// a move of an attribute not recorded yet. Random enemies
// and parties of three attackers with four techniques, from a fixed seed;
// a hit is the game's critical damage, without a chain. The six rows
// bound a try: an enemy not pinned down by then counts as seven hits.
#include <algorithm>
#include <iterator>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "damage/DamageFormula.h"
#include "estimator/EnemyAdvice.h"
#include "estimator/EstimatorState.h"

namespace {

constexpr int Trials = 400;
constexpr int NotPinned = ObservationRowCount + 1;

struct Enemy {
    std::int32_t defense;
    int steps[3];
};

struct Party {
    Move moves[12];
};

Party RandomParty(std::mt19937& random)
{
    std::uniform_int_distribution<std::int32_t> attack(15, 90), stat(0, 40), power(100, 350);
    std::uniform_int_distribution<int> attribute(0, 2);
    Party party{};
    std::int32_t powers[4];
    int attributes[4];
    for (int t = 0; t < 4; ++t) {
        powers[t] = power(random);
        attributes[t] = attribute(random);
    }
    for (int a = 0; a < 3; ++a) {
        const std::int32_t value = attack(random), strength = stat(random), charm = stat(random);
        for (int t = 0; t < 4; ++t)
            party.moves[a * 4 + t] = {value, powers[t], attributes[t], strength, charm, 0, 0};
    }
    return party;
}

ObservedRow Record(const Move& move, const Enemy& enemy, int row)
{
    return {row, ComputeDamage(move.attack, enemy.defense, move.power, RateStep(enemy.steps[move.attribute]),
                               StatFactor(move.strength, move.charm), ChainFactor(0), false),
            move.attack, move.power, move.attribute, move.strength, move.charm, 0};
}

int AttributesOf(const Move* moves, int count)
{
    int attributes = 0;
    for (int m = 0; m < count; ++m)
        attributes |= 1 << moves[m].attribute;
    return attributes;
}

// The next hit as the advice has it: its best move while some move splits
// the enemies left, else a move of an attribute not recorded yet.
Move AdvisedMove(const Party& party, const Advice& advice, std::mt19937& random)
{
    if (!advice.moves.empty() && advice.moves[0].groups > 1)
        return advice.moves[0].move;
    std::vector<Move> fresh;
    for (const Move& move : party.moves)
        if (!(advice.usedAttributes & (1 << move.attribute)))
            fresh.push_back(move);
    if (fresh.empty())
        fresh.assign(std::begin(party.moves), std::end(party.moves));
    return fresh[std::uniform_int_distribution<std::size_t>(0, fresh.size() - 1)(random)];
}

// The hits recorded until one enemy is left, its rate known for every
// attribute of the party's techniques.
int HitsToPinDown(const Party& party, const Enemy& enemy, bool advised, std::mt19937& random,
                  EstimatorState& estimator)
{
    const std::vector<Move> moves(std::begin(party.moves), std::end(party.moves));
    const int partyAttributes = AttributesOf(party.moves, 12);
    std::uniform_int_distribution<int> any(0, 11);
    ObservationSet set{};
    Advice advice{};
    for (int tries = 0; set.count < ObservationRowCount && tries < 100; ++tries) {
        Move next = party.moves[any(random)];
        if (advised && set.count > 0)
            next = AdvisedMove(party, advice, random);
        // A hit that does no damage is not recorded: the player tries another.
        const ObservedRow hit = Record(next, enemy, set.count + 1);
        if (hit.damage < 1) {
            advice.moves.clear(); // the advised move did not land: choose afresh
            continue;
        }
        set.rows[set.count++] = hit;
        advice = AdviseNextHit(set, EstimateObservations(set, estimator), moves);
        if (PinnedDown(advice) && advice.usedAttributes == partyAttributes)
            return set.count;
    }
    return NotPinned;
}

double Median(std::vector<int> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Mean(const std::vector<int>& values)
{
    double sum = 0;
    for (int v : values)
        sum += v;
    return sum / static_cast<double>(values.size());
}

} // namespace

int main()
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::int32_t> defense(0, 99);
    std::uniform_int_distribution<int> step(0, RateStepCount - 1);
    const auto estimator = std::make_unique<EstimatorState>();
    std::vector<int> randomHits, advisedHits;
    for (int trial = 0; trial < Trials; ++trial) {
        const Party party = RandomParty(random);
        const Enemy enemy{defense(random), {step(random), step(random), step(random)}};
        std::mt19937 choices(random());
        std::mt19937 same = choices; // both players draw the same first hit
        randomHits.push_back(HitsToPinDown(party, enemy, false, choices, *estimator));
        advisedHits.push_back(HitsToPinDown(party, enemy, true, same, *estimator));
    }
    const auto pinned = [](const std::vector<int>& hits) {
        return std::count_if(hits.begin(), hits.end(), [](int h) { return h < NotPinned; });
    };
    std::printf("%d enemies, parties of 3 attackers x 4 techniques; hits to pin an enemy down (%d: not within six)\n",
                Trials, NotPinned);
    const auto report = [&](const char* policy, const std::vector<int>& hits) {
        std::printf("  %-15s median %.1f, mean %.2f, pinned down within six rows: %ld of %d; by hits:", policy,
                    Median(hits), Mean(hits), static_cast<long>(pinned(hits)), Trials);
        for (int n = 1; n <= NotPinned; ++n)
            std::printf(" %ld", static_cast<long>(std::count(hits.begin(), hits.end(), n)));
        std::printf("\n");
    };
    report("random choice", randomHits);
    report("advised choice", advisedHits);
}
