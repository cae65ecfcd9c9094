#include "cli/EstimateReport.h"

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/TextConversion.h"
#include "estimator/CandidateSearch.h"
#include "estimator/EstimateReportText.h"

namespace {

std::string Label(const MemoryForm& form, int id)
{
    return Cp932ToUtf8(form.FullText(id));
}

// The core's rate text, in UTF-8.
std::string Rate(double rate)
{
    return Cp932ToUtf8(RateText(rate));
}

// A file name in one cell of the tab-separated table: tab, CR and LF
// would break the table, so they are written as \t, \r and \n.
std::string TableCell(const std::string& text)
{
    std::string cell;
    for (char c : text) {
        switch (c) {
        case '\t': cell += "\\t"; break;
        case '\r': cell += "\\r"; break;
        case '\n': cell += "\\n"; break;
        default: cell += c;
        }
    }
    return cell;
}

nlohmann::json LabelsJson(const MemoryForm& form)
{
    nlohmann::json labels = nlohmann::json::object();
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        labels[std::to_string(id)] = Label(form, id);
    return labels;
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

nlohmann::json RatesJson(const double rates[3])
{
    nlohmann::json list = nlohmann::json::array();
    for (int a = 0; a < 3; ++a)
        list.push_back(rates[a] == -1.0 ? nlohmann::json(nullptr) : nlohmann::json(rates[a]));
    return list;
}

nlohmann::json CandidatesJson(const EstimateResult& result)
{
    nlohmann::json list = nlohmann::json::array();
    for (const CandidateInfo& c : result.analysis.candidates)
        list.push_back({{"defense", c.defense},
                        {"rates", RatesJson(c.rates)},
                        {"hits", c.hits},
                        {"rows", c.rows},
                        {"chosen", c.chosen},
                        {"tied", c.tied}});
    return list;
}

nlohmann::json DiagnosisJson(const EstimateResult& result)
{
    nlohmann::json list = nlohmann::json::array();
    for (const RowDiagnosis& d : result.analysis.diagnosis) {
        nlohmann::json entry = {{"row", d.row}, {"reproducible", d.reproducible}};
        entry["verdict"] = d.reproducible ? "conflicts with the others" : "no defense and rate reproduces it";
        if (d.reproducible)
            entry["without"] = LabelsJson(d.without);
        list.push_back(entry);
    }
    return list;
}

} // namespace

void PrintEstimate(const EstimateResult& result, bool candidates, std::ostream& out)
{
    out << Cp932ToUtf8(EstimateReportText(result.form, result.analysis, candidates));
}

void PrintBatchHeader(std::ostream& out)
{
    out << "file\tobservations\thits\tdefense\tslash\tstrike\tthrust\tties\tskipped\n";
}

void PrintBatchLine(const EstimateResult& result, std::ostream& out)
{
    const EstimateAnalysis& analysis = result.analysis;
    out << TableCell(result.file) << '\t' << analysis.rows.size() << '\t';
    if (!analysis.found) {
        // The estimation's own message in place of the defense.
        out << "0\t" << Label(result.form, IDC_EST_DEFENSE) << "\t\t\t\t0\t" << result.load.skippedCount << '\n';
        return;
    }
    const CandidateInfo& chosen = analysis.chosen;
    out << chosen.hits << '\t' << chosen.defense << '\t' << Rate(chosen.rates[0]) << '\t'
        << Rate(chosen.rates[1]) << '\t' << Rate(chosen.rates[2]) << '\t' << analysis.tieCount << '\t'
        << result.load.skippedCount << '\n';
}

nlohmann::json EstimateJson(const EstimateResult& result, bool candidates)
{
    nlohmann::json json = {{"labels", LabelsJson(result.form)},
                           {"rows", RowsJson(result.form)},
                           {"diagnosis", DiagnosisJson(result)},
                           {"skipped", SkippedJson(result.load)}};
    if (result.load.skippedCount > static_cast<std::uint64_t>(result.load.skippedKept))
        json["skippedCount"] = result.load.skippedCount; // the list holds only the first ones
    if (candidates)
        json["candidates"] = CandidatesJson(result);
    return json;
}

nlohmann::json SkippedJson(const LoadResult& load)
{
    nlohmann::json list = nlohmann::json::array();
    for (int k = 0; k < load.skippedKept; ++k)
        list.push_back({{"line", load.skipped[k].line}, {"reason", SkipReasonText(load.skipped[k].reason)}});
    return list;
}
