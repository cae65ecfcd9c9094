#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "damage/DamageFormula.h"
#include "estimator/CandidateSearch.h"
#include "estimator/DefenseEstimation.h"
#include "form/MemoryForm.h"

namespace {

struct Row {
    int damage, attack, power, kind, strength, charm, chain;
};

const std::vector<Row> WorkedExample = {
    {1208, 50, 300, Slash, 10, 10, 0},
    {878, 55, 250, Strike, 10, 10, 0},
    {1776, 45, 320, Thrust, 10, 10, 3},
    {1522, 60, 280, Slash, 5, 20, 0},
};

// Six small damages of every kind: 1003 candidates, 531 of them tied.
const std::vector<Row> WorstCase = {
    {1, 1, 5, Slash, 0, 0, 0},  {1, 1, 5, Strike, 0, 0, 0}, {1, 1, 5, Thrust, 0, 0, 0},
    {2, 1, 5, Slash, 0, 0, 0},  {2, 1, 5, Strike, 0, 0, 0}, {2, 1, 5, Thrust, 0, 0, 0},
};

// Reset, store and search: the estimator's whole part of an estimation.
void BM_SelectDefense(benchmark::State& state, const std::vector<Row>& rows)
{
    const auto estimator = std::make_unique<EstimatorState>();
    for (auto _ : state) {
        ResetEstimator(*estimator);
        for (const Row& r : rows)
            AddObservation(*estimator,
                           {r.damage, r.attack, r.power, r.kind, r.chain, StatFactor(r.strength, r.charm)});
        SelectDefense(*estimator);
        benchmark::DoNotOptimize(estimator->bestList[0]);
    }
    state.counters["candidates"] = estimator->candidateCount;
}
BENCHMARK_CAPTURE(BM_SelectDefense, worked_example, WorkedExample);
BENCHMARK_CAPTURE(BM_SelectDefense, worst_case, WorstCase);

// The whole command on the in-memory form: rows read, labels written.
void BM_RunDefenseEstimation(benchmark::State& state)
{
    MemoryForm form;
    for (std::size_t r = 0; r < WorkedExample.size(); ++r) {
        const ObservationRow row = ObservationRowIds(static_cast<int>(r));
        form.SetText(row.damage, std::to_string(WorkedExample[r].damage));
        form.SetText(row.attack, std::to_string(WorkedExample[r].attack));
        form.SetText(row.power, std::to_string(WorkedExample[r].power));
        form.SetSelection(row.attribute, WorkedExample[r].kind);
        form.SetText(row.strength, std::to_string(WorkedExample[r].strength));
        form.SetText(row.charm, std::to_string(WorkedExample[r].charm));
    }
    for (auto _ : state)
        RunDefenseEstimation(form);
}
BENCHMARK(BM_RunDefenseEstimation);

} // namespace
