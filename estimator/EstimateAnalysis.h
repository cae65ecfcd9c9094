// What an estimation found beyond the thirteen result labels: the chosen
// candidate, every candidate of the search on request, and for a partial
// success, why each unreproduced row fails.
#pragma once

#include <vector>

#include "form/MemoryForm.h"

struct EstimatorState;

struct CandidateInfo {
    int defense;
    double rates[3];       // -1.0 where unknown
    int hits;              // as the search counted them
    std::vector<int> rows; // 1-based rows it reproduces
    bool chosen;
    bool tied;             // tied with the chosen one
};

struct RowDiagnosis {
    int row;               // 1-based
    bool reproducible;     // some candidate reproduces it: it conflicts with the others
    MemoryForm without;    // the estimation without this row (when reproducible)
};

struct EstimateAnalysis {
    std::vector<int> rows;                // 1-based, of each observation: the rows with a damage of 1 or more
    bool found = false;                   // a candidate was chosen
    CandidateInfo chosen{};               // valid when found
    int tieCount = 0;
    std::vector<CandidateInfo> candidates; // every candidate, when asked for
    std::vector<RowDiagnosis> diagnosis;
};

// Reads the estimation that state holds for the rows of form (the state the
// estimation command just ran on). Listing every candidate costs one record
// each, so it is done only when allCandidates is set. A diagnosis runs the
// estimation again without the row, on a state of its own.
EstimateAnalysis AnalyseEstimate(const MemoryForm& form, const EstimatorState& state, bool allCandidates);

// The rows a diagnosis names, without running it: the 1-based rows whose
// observation the chosen candidate does not reproduce; none when no
// candidate was chosen for these rows.
std::vector<int> UnreproducedRows(const Form& form, const EstimatorState& state);
