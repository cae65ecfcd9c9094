#include <benchmark/benchmark.h>

#include <memory>

#include "damage/DamageFormula.h"
#include "estimator/EnemyAdvice.h"
#include "estimator/EstimatorState.h"

namespace {

// Six attackers, each with its own technique, against one enemy: 36 moves,
// the most the six rows can hold.
ObservationSet SixBySix()
{
    const int steps[3] = {3, 5, 6};
    const struct {
        std::int32_t attack, power;
        int attribute;
        std::int32_t strength, charm;
    } rows[] = {{30, 300, 0, 0, 0}, {45, 250, 1, 10, 10}, {60, 320, 2, 20, 5},
                {75, 200, 0, 5, 0}, {90, 150, 1, 30, 30}, {35, 100, 2, 0, 40}};
    ObservationSet set{};
    for (const auto& r : rows)
        set.rows[set.count] = {set.count + 1,
                               ComputeDamage(r.attack, 40, r.power, RateStep(steps[r.attribute]),
                                             StatFactor(r.strength, r.charm), ChainFactor(0), false),
                               r.attack, r.power, r.attribute, r.strength, r.charm, 0},
        ++set.count;
    return set;
}

// Six attackers and six techniques whose damages no single enemy gives:
// the chosen candidate fixes little, and every move meets most of the
// 51,200 enemies a defense and three rates can make.
ObservationSet SixBySixUnfixed()
{
    ObservationSet set = SixBySix();
    set.rows[0] = {1, 1, 1, 5, 0, 0, 0, 0}; // a damage of 1: most enemies give it
    for (int i = 1; i < set.count; ++i)
        set.rows[i].damage = 7 + i;
    return set;
}

void BM_AdviseNextHit(benchmark::State& state, ObservationSet (*make)())
{
    const ObservationSet set = make();
    const auto estimator = std::make_unique<EstimatorState>();
    const Estimate estimate = EstimateObservations(set, *estimator);
    for (auto _ : state)
        benchmark::DoNotOptimize(AdviseNextHit(set, estimate).remaining);
    state.counters["moves"] = static_cast<double>(MovesOf(set).size());
    state.counters["enemies"] = static_cast<double>(AdviseNextHit(set, estimate).remaining);
}
BENCHMARK_CAPTURE(BM_AdviseNextHit, six_by_six, SixBySix)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AdviseNextHit, six_by_six_unfixed, SixBySixUnfixed)->Unit(benchmark::kMillisecond);

void BM_AttacksAgainstEnemy(benchmark::State& state)
{
    const ObservationSet set = SixBySix();
    const auto estimator = std::make_unique<EstimatorState>();
    const Estimate estimate = EstimateObservations(set, *estimator);
    for (auto _ : state)
        benchmark::DoNotOptimize(AttacksAgainstEnemy(set, estimate).size());
}
BENCHMARK(BM_AttacksAgainstEnemy)->Unit(benchmark::kMicrosecond);

} // namespace
