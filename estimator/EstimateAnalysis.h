// What an estimation found beyond its record: every candidate of the
// search on request, for a partial success why each unreproduced row
// fails, and for the page's chart the defense values that reproduce each
// row.
#pragma once

#include <vector>

#include "estimator/EnemyAdvice.h"
#include "estimator/Estimate.h"

struct EstimatorState;

struct CandidateInfo {
    int defense;
    double rates[3];       // -1.0 where unknown
    int hits;              // as the search counted them
    std::vector<int> rows; // 1-based rows it reproduces
    bool chosen;
    bool tied;             // tied with the chosen one

    bool operator==(const CandidateInfo&) const = default;
};

struct RowDiagnosis {
    int row;           // 1-based
    bool reproducible; // some candidate reproduces it: it conflicts with the others
    Estimate without;  // the estimation without this row (when reproducible)
};

// For each observation, bit j of steps[d] set when rate step j reproduces
// it at defense d.
struct ChartRow {
    int row; // 1-based
    int steps[DefenseValueCount];

    bool operator==(const ChartRow&) const = default;
};

struct EstimateAnalysis {
    ObservationSet observations; // what was estimated
    Estimate estimate;
    std::vector<CandidateInfo> candidates; // every candidate, when asked for
    std::vector<RowDiagnosis> diagnosis;
    std::vector<ChartRow> chart;           // when asked for
    std::vector<AttackFigures> attacks;    // each move against the chosen candidate
    Advice advice;                         // the hit to record next
};

struct AnalysisParts {
    bool candidates;
    bool chart;
};

// Reads the estimation that state holds for set (the state the estimation
// that gave estimate just ran on). Listing every candidate costs one
// record each, so it is done only when asked for. A diagnosis runs the
// estimation again without the row, on a state of its own.
EstimateAnalysis AnalyseEstimate(const ObservationSet& set, const Estimate& estimate, const EstimatorState& state,
                                 AnalysisParts parts);

// The estimation of set and its analysis in one: the search runs on a
// state of the analysis' own, untraced (not the one a debugger follows), so
// no other estimation can come between the two.
EstimateAnalysis AnalyseObservations(const ObservationSet& set, AnalysisParts parts);

// The 1-based rows whose observation the chosen candidate does not
// reproduce: the rows a diagnosis names, without running it.
std::vector<int> UnreproducedRows(const Estimate& estimate);
