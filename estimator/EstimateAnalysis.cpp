#include "estimator/EstimateAnalysis.h"

#include <memory>

#include "estimator/CandidateSearch.h"
#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"

namespace {

CandidateInfo ReadCandidate(const EstimatorState& state, int k, const Estimate& estimate)
{
    const CandidateView view = ViewCandidate(state, k);
    CandidateInfo info{view.defense, {view.rates[0], view.rates[1], view.rates[2]}, view.hits, {}, false, false};
    for (int i = 0; i < state.observationCount; ++i)
        if (CandidateReproduces(state, k, i))
            info.rows.push_back(estimate.rows[i]);
    return info;
}

std::vector<CandidateInfo> ReadCandidates(const EstimatorState& state, const Estimate& estimate)
{
    std::vector<CandidateInfo> candidates;
    candidates.reserve(static_cast<std::size_t>(state.candidateCount));
    for (int k = 0; k < state.candidateCount; ++k)
        candidates.push_back(ReadCandidate(state, k, estimate));
    candidates[static_cast<std::size_t>(state.bestList[0])].chosen = true;
    for (int n = 1; n <= state.tieCount; ++n)
        candidates[static_cast<std::size_t>(state.bestList[n])].tied = true;
    return candidates;
}

bool AnyCandidateReproduces(const EstimatorState& state, int i)
{
    for (int k = 0; k < state.candidateCount; ++k)
        if (CandidateReproduces(state, k, i))
            return true;
    return false;
}

std::vector<RowDiagnosis> Diagnose(const ObservationSet& set, const Estimate& estimate, const EstimatorState& state)
{
    std::vector<RowDiagnosis> diagnosis;
    std::unique_ptr<EstimatorState> rerun;
    for (int i = 0; i < estimate.observationCount; ++i) {
        if (estimate.reproduced[i])
            continue;
        RowDiagnosis entry{estimate.rows[i], AnyCandidateReproduces(state, i), Estimate{}};
        if (entry.reproducible) {
            // The same estimation without this row, on a state of its own.
            if (!rerun)
                rerun = std::make_unique<EstimatorState>();
            entry.without = EstimateObservations(WithoutRow(set, entry.row), *rerun);
        }
        diagnosis.push_back(entry);
    }
    return diagnosis;
}

// The estimation stops at a row without an attribute: the observations it
// holds are the first rows.
std::vector<ChartRow> Chart(const EstimatorState& state, const Estimate& estimate)
{
    std::vector<ChartRow> chart(static_cast<std::size_t>(state.observationCount));
    for (int i = 0; i < state.observationCount; ++i) {
        chart[static_cast<std::size_t>(i)].row = estimate.rows[i];
        for (int d = 0; d < DefenseValueCount; ++d)
            chart[static_cast<std::size_t>(i)].steps[d] = ReproducingSteps(state, i, d);
    }
    return chart;
}

} // namespace

EstimateAnalysis AnalyseEstimate(const ObservationSet& set, const Estimate& estimate, const EstimatorState& state,
                                 AnalysisParts parts)
{
    EstimateAnalysis analysis;
    analysis.observations = set;
    analysis.estimate = estimate;
    if (parts.chart)
        analysis.chart = Chart(state, estimate);
    // Without a chosen candidate (no rows, a row without an attribute, no
    // solution) the labels say everything.
    if (!EstimateFound(estimate))
        return analysis;
    if (parts.candidates)
        analysis.candidates = ReadCandidates(state, estimate);
    analysis.diagnosis = Diagnose(set, estimate, state);
    analysis.attacks = AttacksAgainstEnemy(set, estimate);
    analysis.advice = AdviseNextHit(set, estimate);
    return analysis;
}

EstimateAnalysis AnalyseObservations(const ObservationSet& set, AnalysisParts parts)
{
    // About 130 KB: on the heap, and only while the analysis is made.
    const auto state = std::make_unique<EstimatorState>();
    const TraceScope silence;
    const Estimate estimate = EstimateObservations(set, *state);
    return AnalyseEstimate(set, estimate, *state, parts);
}

std::vector<int> UnreproducedRows(const Estimate& estimate)
{
    std::vector<int> missed;
    if (EstimateFound(estimate))
        for (int i = 0; i < estimate.observationCount; ++i)
            if (!estimate.reproduced[i])
                missed.push_back(estimate.rows[i]);
    return missed;
}
