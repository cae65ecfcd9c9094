#include <benchmark/benchmark.h>

#include "damage/DamageFormula.h"

namespace {

// One evaluation, over changing defense values and rates as in a search.
void BM_ComputeDamage(benchmark::State& state)
{
    const double stat = StatFactor(10, 10);
    const double chain = ChainFactor(3);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeDamage(50, i % 100, 300, RateStep(i % RateStepCount), stat, chain, false));
        ++i;
    }
}
BENCHMARK(BM_ComputeDamage);

// The evaluations of the largest search: 6 observations x 100 defense
// values x 8 rate steps, the yardstick of the estimator's own cost.
void BM_ComputeDamage4800(benchmark::State& state)
{
    const double stat = StatFactor(10, 10);
    const double chain = ChainFactor(3);
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < 6; ++i)
            for (int d = 0; d < 100; ++d)
                for (int j = 0; j < RateStepCount; ++j)
                    sum += ComputeDamage(50 + i, d, 300, RateStep(j), stat, chain, false) == 1208;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ComputeDamage4800);

} // namespace
