#include "estimator/EstimateAnalysis.h"

#include <algorithm>
#include <memory>

#include "estimator/CandidateSearch.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"

namespace {

// Observation i came from the i-th row with a positive damage, so the rows
// are counted from the form: an estimation stopped by a row without an
// attribute holds fewer observations than the rows.
std::vector<int> ObservationRows(const Form& form)
{
    std::vector<int> rows;
    for (int r = 0; r < ObservationRowCount; ++r)
        if (form.GetNumber(ObservationRowIds(r).damage) > 0)
            rows.push_back(r + 1);
    return rows;
}

CandidateInfo ReadCandidate(const EstimatorState& state, int k, const std::vector<int>& rows)
{
    const CandidateView view = ViewCandidate(state, k);
    CandidateInfo info{view.defense, {view.rates[0], view.rates[1], view.rates[2]}, view.hits, {}, false, false};
    for (int i = 0; i < state.observationCount; ++i)
        if (CandidateReproduces(state, k, i))
            info.rows.push_back(rows[static_cast<std::size_t>(i)]);
    return info;
}

std::vector<CandidateInfo> ReadCandidates(const EstimatorState& state, const std::vector<int>& rows)
{
    std::vector<CandidateInfo> candidates;
    candidates.reserve(static_cast<std::size_t>(state.candidateCount));
    for (int k = 0; k < state.candidateCount; ++k)
        candidates.push_back(ReadCandidate(state, k, rows));
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

// Without a chosen candidate (no rows, a row without an attribute, no
// solution) the labels say everything.
bool HasChosen(const EstimatorState& state, const std::vector<int>& rows)
{
    return state.candidateCount > 0 && state.bestList[0] >= 0 &&
           state.observationCount == static_cast<int>(rows.size());
}

std::vector<int> Unreproduced(const EstimatorState& state)
{
    std::vector<int> observations;
    for (int i = 0; i < state.observationCount; ++i)
        if (!CandidateReproduces(state, state.bestList[0], i))
            observations.push_back(i);
    return observations;
}

std::vector<RowDiagnosis> Diagnose(const MemoryForm& form, const EstimatorState& state, const std::vector<int>& rows)
{
    std::vector<RowDiagnosis> diagnosis;
    std::unique_ptr<EstimatorState> rerun;
    for (int i : Unreproduced(state)) {
        const int row = rows[static_cast<std::size_t>(i)];
        RowDiagnosis entry{row, AnyCandidateReproduces(state, i), MemoryForm()};
        if (entry.reproducible) {
            // The same command on the same rows, this one emptied.
            if (!rerun)
                rerun = std::make_unique<EstimatorState>();
            entry.without = form;
            entry.without.SetText(ObservationRowIds(row - 1).damage, "0");
            RunDefenseEstimation(entry.without, *rerun);
        }
        diagnosis.push_back(std::move(entry));
    }
    return diagnosis;
}

} // namespace

EstimateAnalysis AnalyseEstimate(const MemoryForm& form, const EstimatorState& state, bool allCandidates)
{
    EstimateAnalysis analysis;
    const std::vector<int>& rows = analysis.rows = ObservationRows(form);
    if (!HasChosen(state, rows))
        return analysis;
    analysis.found = true;
    analysis.chosen = ReadCandidate(state, state.bestList[0], rows);
    analysis.chosen.chosen = true;
    analysis.tieCount = state.tieCount;
    if (allCandidates)
        analysis.candidates = ReadCandidates(state, rows);
    analysis.diagnosis = Diagnose(form, state, rows);
    return analysis;
}

std::vector<int> UnreproducedRows(const Form& form, const EstimatorState& state)
{
    const std::vector<int> rows = ObservationRows(form);
    std::vector<int> missed;
    if (HasChosen(state, rows))
        for (int i : Unreproduced(state))
            missed.push_back(rows[static_cast<std::size_t>(i)]);
    return missed;
}
