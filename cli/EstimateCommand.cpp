#include "cli/EstimateCommand.h"

#include <cstring>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/EstimateReport.h"
#include "cli/FileEstimate.h"

namespace {

constexpr int FileFailed = 1;
constexpr int UsageError = 2;

// Each skipped line as FILE:LINE: reason, as compilers and editors expect;
// a read error after the loaded rows ends the file where it stands.
void ReportSkipped(const std::string& file, const LoadResult& load, std::ostream& err)
{
    for (int k = 0; k < load.skippedKept; ++k)
        err << file << ':' << load.skipped[k].line << ": " << SkipReasonText(load.skipped[k].reason) << '\n';
    if (load.skippedCount > static_cast<std::uint64_t>(load.skippedKept))
        err << file << ": " << load.skippedCount - load.skippedKept << " more lines skipped\n";
    if (load.failure == LoadFailure::None && load.error != 0)
        err << file << ':' << load.lineCount << ": " << std::strerror(load.error) << "; the file is read up to here\n";
}

// File names come from the command line as bytes: JSON output replaces
// what is not UTF-8 rather than failing on it.
std::string JsonText(const nlohmann::json& json)
{
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err)
{
    const bool batch = options.files.size() > 1;
    if (batch && options.candidates && !options.json) {
        err << "torume: --candidates lists one file's candidates; give one file, or add --json\n";
        return UsageError;
    }

    int status = 0;
    nlohmann::json results = nlohmann::json::array();
    if (batch && !options.json)
        PrintBatchHeader(out);
    // A batch stops at the first failed write: the rest would be lost too.
    for (auto file = options.files.begin(); file != options.files.end() && out; ++file) {
        const EstimateResult result = EstimateFile(*file, options.candidates, options.trace ? &err : nullptr);
        ReportSkipped(*file, result.load, err);
        // A file that cannot be read or fills no row is reported, not estimated.
        const std::string failure = LoadFailureText(result.load);
        if (!failure.empty()) {
            err << "torume: " << *file << ": " << failure << '\n';
            status = FileFailed;
            if (options.json && batch)
                results.push_back({{"file", *file}, {"error", failure}, {"skipped", SkippedJson(result.load)}});
            continue;
        }
        if (options.json) {
            nlohmann::json json = EstimateJson(result, options.candidates);
            if (!batch) {
                out << JsonText(json) << '\n';
                continue;
            }
            json["file"] = *file;
            results.push_back(json);
        } else if (batch) {
            PrintBatchLine(result, out);
        } else {
            PrintEstimate(result, options.candidates, out);
        }
    }
    if (options.json && batch)
        out << JsonText(results) << '\n';
    return status;
}
