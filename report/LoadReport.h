// What a load tells a player, in Japanese: why each skipped line was
// skipped, why a load failed, and the lines that torume prints on standard
// error and the page shows, "FILE:LINE: 理由".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "observations/ObservationFile.h"
#include "messages/Messages.h"

std::string SkipReasonMessage(SkipReason reason);

// Stable kebab-case codes for scripts, the same on every platform: why a
// line was skipped ("full-width-digits", ...) and why a load failed
// ("not-found", "is-a-directory", "utf-16", ...; empty when it did not).
const char* SkipReasonCode(SkipReason reason);
const char* LoadFailureCode(const LoadResult& load);

// Why the load failed, or empty when it did not. readCause: the browser's
// own words when it could not read the file, which then stand in the cause.
std::string LoadFailureMessage(const LoadResult& load, std::string_view readCause = {});

// In UTF-8, the file's name as given: each skipped line as FILE:LINE:
// reason, as compilers and editors show them; how many more were skipped
// beyond those kept; and where a read error after the loaded rows ended
// the file.
std::vector<std::string> LoadReportLines(std::string_view file, const LoadResult& load);
