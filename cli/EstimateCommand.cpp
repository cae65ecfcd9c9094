#include "cli/EstimateCommand.h"

#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/EstimateAnalysis.h"
#include "cli/EstimateReport.h"
#include "estimator/DebugTrace.h"

namespace {

constexpr int FileFailed = 1;
constexpr int UsageError = 2;

// Where --trace sends the trace lines during the command.
std::ostream* TraceStream = nullptr;

void TraceToStream(const char* text)
{
    *TraceStream << text;
}

// A file that cannot be opened or fills no row: reported, not estimated.
const char* FailureOf(const EstimateResult& result)
{
    if (!result.opened)
        return "cannot open";
    if (result.rowsFilled == 0)
        return "holds no observation (no data line with a damage of 1 or more)";
    return nullptr;
}

} // namespace

void AddEstimateOptions(CLI::App& app, EstimateOptions& options)
{
    app.add_option("file", options.files, "observation files; - reads standard input")->required();
    app.add_flag("--json", options.json,
                 "print JSON: {\"labels\", \"rows\", \"diagnosis\"} per file; an array for several files");
    app.add_flag("--trace", options.trace, "write the estimator's trace lines to standard error");
    app.add_flag("--candidates", options.candidates,
                 "also list every candidate: defense, rates, hits, the rows it reproduces");
}

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err)
{
    const bool batch = options.files.size() > 1;
    if (batch && options.candidates && !options.json) {
        err << "torume: --candidates lists one file's candidates; give one file, or add --json\n";
        return UsageError;
    }
    TraceStream = &err;
    SetTraceSink(options.trace ? TraceToStream : nullptr);

    int status = 0;
    nlohmann::json results = nlohmann::json::array();
    if (batch && !options.json)
        PrintBatchHeader(out);
    for (const std::string& file : options.files) {
        const EstimateResult result = AnalyseObservationFile(file);
        if (const char* failure = FailureOf(result)) {
            err << "torume: " << file << ": " << failure << '\n';
            status = FileFailed;
            if (options.json && batch)
                results.push_back({{"file", file}, {"error", failure}});
            continue;
        }
        if (options.json) {
            nlohmann::json json = EstimateJson(result, options.candidates);
            if (!batch) {
                out << json.dump() << '\n';
                continue;
            }
            json["file"] = file;
            results.push_back(json);
        } else if (batch) {
            PrintBatchLine(result, out);
        } else {
            PrintEstimate(result, options.candidates, out);
        }
    }
    SetTraceSink(nullptr);
    if (options.json && batch)
        out << results.dump() << '\n';
    return status;
}
