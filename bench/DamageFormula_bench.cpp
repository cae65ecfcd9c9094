#include <benchmark/benchmark.h>

#include "damage/DamageFormula.h"

namespace {

const double Rates[8] = {0.5, 0.625, 0.75, 0.875, 1.0, 1.125, 1.25, 1.375};

// One evaluation, over changing defense values and rates as in a search.
void BM_ComputeDamage(benchmark::State& state)
{
    const double stat = StatFactor(10, 10);
    const double chain = ChainFactor(3);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeDamage(50, i % 100, 300, Rates[i & 7], stat, chain, false));
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
                for (int j = 0; j < 8; ++j)
                    sum += ComputeDamage(50 + i, d, 300, Rates[j], stat, chain, false) == 1208;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ComputeDamage4800);

} // namespace
