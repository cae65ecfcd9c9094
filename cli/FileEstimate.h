// One observation file estimated as the window's menu command does it, on
// a fresh in-memory form and an estimator state of its own.
#pragma once

#include <iosfwd>
#include <string>

#include "estimator/EstimateAnalysis.h"
#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"

struct EstimateResult {
    std::string file;
    LoadResult load{}; // why it failed, and the lines it skipped
    MemoryForm form;
    EstimateAnalysis analysis;
};

// Loads the file ("-" standard input) and analyses the estimation the load
// ran. With a trace stream, that estimation's trace lines go there; the
// diagnosis's own estimations are not traced.
EstimateResult EstimateFile(const std::string& file, bool allCandidates, std::ostream* trace);
