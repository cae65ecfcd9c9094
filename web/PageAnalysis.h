// What the page shows of the estimation below the window, handed over by
// part and only when it changed: an edit that leaves the rows the
// estimation reads as they were costs no analysis, and one that changes
// them has the page redraw only the parts whose content changed.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "estimator/EstimateAnalysis.h"

// The analysis last handed over, with the rows it was made from, and its
// parts as handed.
struct HandedAnalysis {
    bool made = false;
    EstimateAnalysis analysis;
    nlohmann::json diagnosis, use;
    std::string announcement;
};

// The candidates' rows the page's table shows at once; it asks for the
// rest a batch at a time in later tasks, so that a thousand candidates do
// not hold up the edit that made them.
constexpr std::size_t CandidateRowsAtOnce = 100;

// The estimation of set and its analysis, as the parts that differ from
// those handed last (every part the first time): "diagnosis"
// (DiagnosisJson), "chart" (ChartJson), "candidates": {"count", "rows": the
// first ones (PageCandidatesJson)}, "use" (PageUseJson) and
// "announcement", the estimate in one sentence. Nothing, with no analysis
// made, when set is the one last analysed.
nlohmann::json PageAnalysisUpdate(HandedAnalysis& handed, const ObservationSet& set);

// The next batch of the candidates' rows handed last, from index from on.
nlohmann::json PageCandidateRows(const HandedAnalysis& handed, std::size_t from);
