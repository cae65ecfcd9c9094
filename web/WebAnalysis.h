// What the page shows beyond the window's labels, as JSON for its script:
// every candidate of the search, the diagnosis of each row the estimate
// does not reproduce, for each row the defense values that reproduce it at
// some rate, and what a load skipped or why it failed.
#pragma once

#include <string>

class Form;
struct EstimatorState;
struct LoadResult;

// {"candidates": [{"defense", "rates" (as the labels show them), "hits",
//   "rows" (1-based), "chosen", "tied"}],
//  "diagnosis": [{"row", "reproducible", "without": {label ID: text}}],
//  "chart": [{"row", "steps": [100 bit masks of the rate steps that
//   reproduce the row at defense 0 to 99]}],
//  "rateItems": the rate list's items, which name the steps}
// Reads the estimation that state holds for the page's rows, the one the
// last command or load ran; the diagnosis runs its own on copies.
std::string AnalysisJson(const Form& page, const EstimatorState& state);

// {"failure": the window's message when the load failed, "cause": why, in
//  torume's words or, when the browser could not read the file, in the
//  browser's (readCause), "skipped": [{"line", "reason"}], "more": lines
//  skipped beyond those kept}
std::string LoadReportJson(const LoadResult& load, const std::string& readCause);
