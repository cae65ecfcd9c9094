// What `torume estimate` learns from one observation file: the form after
// the load and its estimation, every candidate of the search, and for a
// partial success, why each unreproduced row fails.
#pragma once

#include <string>
#include <vector>

#include "form/MemoryForm.h"

struct CandidateInfo {
    int defense;
    double rates[3];      // -1.0 where unknown
    int hits;             // as the search counted them
    std::vector<int> rows; // 1-based rows it reproduces
    bool chosen;
    bool tied;             // tied with the chosen one
};

struct RowDiagnosis {
    int row;               // 1-based
    bool reproducible;     // some candidate reproduces it: it conflicts with the others
    MemoryForm without;    // the estimation without this row (when reproducible)
};

struct EstimateResult {
    std::string file;
    bool opened = false;
    int rowsFilled = 0;
    MemoryForm form;
    int observationCount = 0;
    std::vector<CandidateInfo> candidates;
    std::vector<RowDiagnosis> diagnosis;
};

// Loads the file ("-" standard input) into a fresh form as the window's
// menu command does, then reads the search's candidates and diagnoses the
// rows the chosen candidate does not reproduce.
EstimateResult AnalyseObservationFile(const std::string& file);
