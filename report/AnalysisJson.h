// The analysis as JSON, written in this one place for `torume --json` and
// the page: the result labels, the rows, the diagnosis, the lines a load
// skipped, and on request every candidate and the chart of the defense
// values that reproduce each row. Every text is UTF-8.
#pragma once

#include <nlohmann/json.hpp>

#include "estimator/EstimateAnalysis.h"
#include "messages/Messages.h"

struct LoadResult;

// The version of the JSON's layout, "schema" in every object torume
// prints; its JSON Schema documents the keys below.
constexpr int JsonSchemaVersion = 2;

// {"schema": 2, "labels": {"1011": text, ..., "1023": text},
//  "estimate": {"outcome", "observations", "reproduced", "defense", "rates", "predicted",
//               "further": [{"defense", "rates"}], "furtherCount", "missingAttributeRow"},
//  "observations": [{"row", "damage", "attack", "power", "attribute", "strength", "charm",
//                    "chain" (a count)}],
//  "rows": [{"damage", "attack", "power", "attribute", "strength", "charm", "chain"}],
//  "diagnosis": [{"row", "reproducible", "verdict", "code", "text", "without"?, "withoutText"?}],
//  "skipped": [...] (SkippedJson), "skippedCount"? (beyond the kept ones),
//  "candidates"?: [{"defense", "rates" (null where unknown), "rateTexts", "hits",
//                   "rows", "chosen", "tied", "mark"}],
//  "chart"?: {"rows": [{"row", "caption", "cells": [{"defense", "title"}], "text"}],
//             "agreement": [{"defense", "share", "title"}], "agreementText", "label", "agreementCaption",
//             "chosen"? (when an estimate was found): {"defense", "title"}}}
// A chart row's "text" and "agreementText" say in words what its cells show.
// The rows are those of form as they stand; load may be null.
nlohmann::json AnalysisJson(const Form& form, const EstimateAnalysis& analysis, const LoadResult* load,
                            AnalysisParts parts);

// The parts of AnalysisJson of the same names: "diagnosis" and "chart".
nlohmann::json DiagnosisJson(const EstimateAnalysis& analysis);
nlohmann::json ChartJson(const EstimateAnalysis& analysis);

// What the page shows of the estimate put to use, ready to render; the
// page's own, beside the analysis whose "attacks" and "advice" it puts in
// words: {"attacks": [{"cells": texts under PageTextsJson's "attackColumns",
// "advised": the move the advice names first}],
// "advice": {"lines": its sentences but the moves, "moves": [{"text",
// "top"}]}, "advisedControls": the fields of the rows the first move names
// (its attacker's attack, strength and charm, its technique's power and
// attribute), "handOff": for slash, strike and thrust, whether the estimate
// can be handed to the calculator}.
nlohmann::json PageUseJson(const EstimateAnalysis& analysis);

// The candidates as the page's table shows them, one row each in creation
// order, count of them from the one at index from on: [{"cells": texts
// under PageTextsJson's "candidateColumns", in that order, "chosen", "tied"}].
nlohmann::json PageCandidatesJson(const EstimateAnalysis& analysis, std::size_t from, std::size_t count);

// [{"line", "reason" (in English), "code" (kebab-case), "text" (the reason for a player)}]
nlohmann::json SkippedJson(const LoadResult& load);

// The page's own headings, captions, button texts and notices, by name;
// the tables' column headers and the hand-off buttons' texts as lists.
nlohmann::json PageTextsJson();
