#include "cli/EstimateAnalysis.h"

#include <cstdio>

#include "estimator/CandidateSearch.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "observations/ObservationFile.h"

namespace {

// Observation i came from the i-th row with a positive damage.
std::vector<int> ObservationRows(const MemoryForm& form)
{
    std::vector<int> rows;
    for (int r = 0; r < ObservationRowCount; ++r)
        if (form.GetNumber(ObservationRowIds(r).damage) > 0)
            rows.push_back(r + 1);
    return rows;
}

std::vector<CandidateInfo> ReadCandidates(const EstimatorState& state, const std::vector<int>& rows)
{
    std::vector<CandidateInfo> candidates;
    for (int k = 0; k < state.candidateCount; ++k) {
        const CandidateView view = ViewCandidate(state, k);
        CandidateInfo info{view.defense, {view.rates[0], view.rates[1], view.rates[2]}, view.hits, {}, false, false};
        for (int i = 0; i < state.observationCount; ++i)
            if (CandidateReproduces(state, k, i))
                info.rows.push_back(rows[static_cast<std::size_t>(i)]);
        candidates.push_back(info);
    }
    if (state.candidateCount > 0) {
        candidates[static_cast<std::size_t>(state.bestList[0])].chosen = true;
        for (int n = 1; n <= state.tieCount; ++n)
            candidates[static_cast<std::size_t>(state.bestList[n])].tied = true;
    }
    return candidates;
}

bool Contains(const std::vector<int>& rows, int row)
{
    for (int r : rows)
        if (r == row)
            return true;
    return false;
}

std::vector<RowDiagnosis> Diagnose(const MemoryForm& form, const std::vector<CandidateInfo>& candidates,
                                   const std::vector<int>& rows)
{
    std::vector<RowDiagnosis> diagnosis;
    const CandidateInfo* chosen = nullptr;
    for (const CandidateInfo& candidate : candidates)
        if (candidate.chosen)
            chosen = &candidate;
    if (!chosen)
        return diagnosis;
    for (int row : rows) {
        if (Contains(chosen->rows, row))
            continue;
        RowDiagnosis entry{row, false, MemoryForm()};
        for (const CandidateInfo& candidate : candidates)
            entry.reproducible |= Contains(candidate.rows, row);
        if (entry.reproducible) {
            // The same command on the same rows, this one emptied.
            entry.without = form;
            entry.without.SetText(ObservationRowIds(row - 1).damage, "0");
            RunDefenseEstimation(entry.without);
        }
        diagnosis.push_back(std::move(entry));
    }
    return diagnosis;
}

} // namespace

EstimateResult AnalyseObservationFile(const std::string& file)
{
    EstimateResult result;
    result.file = file;
    const LoadResult load = file == "-" ? LoadObservationsFromStream(result.form, stdin)
                                        : LoadObservationsFromFile(result.form, file.c_str());
    result.opened = load.failure != LoadFailure::CannotOpen;
    result.rowsFilled = load.rowsFilled;
    if (result.rowsFilled == 0)
        return result;
    // The load ran the estimation on the process's estimator: read it now,
    // before a diagnosis runs another.
    const std::vector<int> rows = ObservationRows(result.form);
    result.observationCount = Estimator.observationCount;
    result.candidates = ReadCandidates(Estimator, rows);
    result.diagnosis = Diagnose(result.form, result.candidates, rows);
    return result;
}
