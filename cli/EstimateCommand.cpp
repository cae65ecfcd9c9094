#include "cli/EstimateCommand.h"

#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/EstimateReport.h"
#include "cli/FileEstimate.h"

namespace {

constexpr int FileFailed = 1;
constexpr int UsageError = 2;

// A file that cannot be opened or fills no row: reported, not estimated.
const char* FailureOf(const EstimateResult& result)
{
    if (result.load.failure == LoadFailure::CannotOpen)
        return "cannot open";
    if (result.load.failure != LoadFailure::None)
        return "holds no observation (no data line with a damage of 1 or more)";
    return nullptr;
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
        if (const char* failure = FailureOf(result)) {
            err << "torume: " << *file << ": " << failure << '\n';
            status = FileFailed;
            if (options.json && batch)
                results.push_back({{"file", *file}, {"error", failure}});
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
