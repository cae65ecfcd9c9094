#include "cli/EstimateCommand.h"

#include <cstdio>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/TextConversion.h"
#include "estimator/DebugTrace.h"
#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"

namespace {

constexpr int FileFailed = 1;

// Where --trace sends the trace lines during one command.
std::ostream* TraceStream = nullptr;

void TraceToStream(const char* text)
{
    *TraceStream << text;
}

std::string Label(const MemoryForm& form, int id)
{
    return Cp932ToUtf8(form.FullText(id));
}

nlohmann::json RowsJson(const MemoryForm& form)
{
    nlohmann::json rows = nlohmann::json::array();
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        rows.push_back({{"damage", Label(form, row.damage)},
                        {"attack", Label(form, row.attack)},
                        {"power", Label(form, row.power)},
                        {"attribute", form.GetSelection(row.attribute)},
                        {"strength", Label(form, row.strength)},
                        {"charm", Label(form, row.charm)},
                        {"chain", form.GetSelection(row.chain)}});
    }
    return rows;
}

void PrintJson(const MemoryForm& form, std::ostream& out)
{
    nlohmann::json labels = nlohmann::json::object();
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        labels[std::to_string(id)] = Label(form, id);
    out << nlohmann::json{{"labels", labels}, {"rows", RowsJson(form)}}.dump() << '\n';
}

// The result labels in the order a player reads them; a failure message in
// the defense label stands alone.
void PrintReadable(const MemoryForm& form, std::ostream& out)
{
    out << "防御      " << Label(form, IDC_EST_DEFENSE) << '\n';
    if (form.FullText(IDC_EST_SUMMARY).empty())
        return;
    out << "倍率      斬 " << Label(form, IDC_EST_RATE_SLASH) << "  打 " << Label(form, IDC_EST_RATE_STRIKE)
        << "  突 " << Label(form, IDC_EST_RATE_THRUST) << '\n'
        << Label(form, IDC_EST_SUMMARY) << '\n'
        << "予測      " << Label(form, IDC_EST_PREDICTED) << '\n';
    if (form.FullText(IDC_EST_MORE).empty())
        return;
    out << Label(form, IDC_EST_MORE) << '\n';
    for (int id = IDC_EST_ALT1_DEFENSE; id <= IDC_EST_ALT3_RATES && !form.FullText(id).empty(); id += 2)
        out << "  防御 " << Label(form, id) << "  倍率 " << Label(form, id + 1) << '\n';
}

} // namespace

void AddEstimateOptions(CLI::App& app, EstimateOptions& options)
{
    app.add_option("file", options.file, "observation file, - for standard input")->required();
    app.add_flag("--json", options.json, "print {\"labels\": {id: text}, \"rows\": [...]} instead of text");
    app.add_flag("--trace", options.trace, "write the estimator's trace lines to standard error");
}

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err)
{
    TraceStream = &err;
    SetTraceSink(options.trace ? TraceToStream : nullptr);
    MemoryForm form;
    LoadResult result{true, 0};
    if (options.file == "-")
        result.rowsFilled = LoadObservationsFromStream(form, stdin);
    else
        result = LoadObservationsFromFile(form, options.file.c_str());
    SetTraceSink(nullptr);

    if (!result.opened) {
        err << "torume: cannot open " << options.file << '\n';
        return FileFailed;
    }
    if (result.rowsFilled == 0) {
        err << "torume: " << options.file << " holds no observation (no data line with a damage of 1 or more)\n";
        return FileFailed;
    }
    if (options.json)
        PrintJson(form, out);
    else
        PrintReadable(form, out);
    return 0;
}
