// Printing what `torume estimate` found: readable UTF-8 text or JSON.
#pragma once

#include <iosfwd>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "cli/FileEstimate.h"

void PrintEstimate(const EstimateResult& result, bool candidates, std::ostream& out);

// One tab-separated line per file under a header.
void PrintBatchHeader(std::ostream& out);
void PrintBatchLine(const EstimateResult& result, std::ostream& out);

nlohmann::json EstimateJson(const EstimateResult& result, bool candidates);
