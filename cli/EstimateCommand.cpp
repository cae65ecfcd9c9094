#include "cli/EstimateCommand.h"

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/EstimateReport.h"
#include "cli/FileEstimate.h"
#include "cli/FilePattern.h"
#include "cli/PrintedName.h"
#include "report/AnalysisJson.h"
#include "report/LoadReport.h"

namespace {

constexpr int FileFailed = 1;
constexpr int UsageError = 2;

// A file to estimate, or a pattern that matched none, which fails as a
// file that cannot be read does, under the pattern as typed.
struct FileArgument {
    std::string name;
    bool matchesNothing;
};

std::vector<FileArgument> ExpandFileArguments(const std::vector<std::string>& arguments)
{
    std::vector<FileArgument> files;
    for (const std::string& argument : arguments) {
        const std::vector<std::string> matches = ExpandFileArgument(argument);
        if (matches.empty())
            files.push_back({argument, true});
        for (const std::string& match : matches)
            files.push_back({match, false});
    }
    return files;
}

// Each skipped line as FILE:LINE: reason, as compilers and editors expect;
// a read error after the loaded rows ends the file where it stands.
void ReportSkipped(const std::string& file, const LoadResult& load, std::ostream& err)
{
    for (const std::string& line : LoadReportLines(PrintedName(file), load))
        err << line << '\n';
}

// File names come from the command line as bytes: JSON output replaces
// what is not UTF-8 rather than failing on it.
std::string JsonText(const nlohmann::json& json)
{
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Why a file failed: in English, as a stable code, and the player's text.
struct Failure {
    std::string error;
    const char* code;
    std::string text; // UTF-8
};

// On standard error; with --json also as the file's entry.
void ReportFailure(const std::string& file, const Failure& failure, const nlohmann::json& skipped,
                   nlohmann::json* results, std::ostream& err)
{
    err << "torume: " << PrintedName(file) << ": " << failure.text << '\n';
    if (results)
        results->push_back({{"schema", JsonSchemaVersion},
                            {"file", file},
                            {"error", failure.error},
                            {"code", failure.code},
                            {"errorText", failure.text},
                            {"skipped", skipped}});
}

} // namespace

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err)
{
    const std::vector<FileArgument> files = ExpandFileArguments(options.files);
    const bool batch = files.size() > 1;
    if (batch && options.candidates && !options.json) {
        err << "torume: --candidates lists one file's candidates; give one file, or add --json\n";
        return UsageError;
    }

    int status = 0;
    nlohmann::json results = nlohmann::json::array();
    nlohmann::json* const failedEntries = options.json ? &results : nullptr;
    if (batch && !options.json)
        PrintBatchHeader(out);
    // A batch stops at the first failed write: the rest would be lost too.
    for (auto file = files.begin(); file != files.end() && out; ++file) {
        if (file->matchesNothing) {
            const Failure noMatch{"no file matches the pattern", "no-match",
                                  MessageText(MessageId::CauseNoMatch)};
            ReportFailure(file->name, noMatch, nlohmann::json::array(), failedEntries, err);
            status = FileFailed;
            continue;
        }
        const EstimateResult result = EstimateFile(file->name, options.candidates, options.trace ? &err : nullptr);
        ReportSkipped(file->name, result.load, err);
        // A file that cannot be read or fills no row is reported, not estimated.
        if (result.load.failure != LoadFailure::None) {
            const Failure failure{LoadFailureText(result.load), LoadFailureCode(result.load),
                                  LoadFailureMessage(result.load)};
            ReportFailure(file->name, failure, SkippedJson(result.load), failedEntries, err);
            status = FileFailed;
            continue;
        }
        if (options.json) {
            nlohmann::json json = EstimateJson(result, options.candidates);
            if (!batch) {
                out << JsonText(json) << '\n';
                continue;
            }
            json["file"] = file->name;
            results.push_back(json);
        } else if (batch) {
            PrintBatchLine(result, out);
        } else {
            PrintEstimate(result, options.candidates, out);
        }
    }
    // One file's JSON is its object, a failure's too; a batch's an array.
    if (options.json && batch)
        out << JsonText(results) << '\n';
    else if (options.json && !results.empty())
        out << JsonText(results[0]) << '\n';
    return status;
}
