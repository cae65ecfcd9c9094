#include "web/WebAnalysis.h"

#include <vector>

#include "estimator/CandidateSearch.h"
#include "estimator/EstimateAnalysis.h"
#include "estimator/EstimatorState.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/TextFormat.h"
#include "observations/ObservationFile.h"

namespace {

void AppendString(std::string& json, std::string_view text)
{
    json += '"';
    for (char c : text) {
        if (c == '"' || c == '\\')
            json += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            json += FormatText("\\u%04x", c);
        else
            json += c;
    }
    json += '"';
}

void AppendRows(std::string& json, const std::vector<int>& rows)
{
    json += '[';
    for (std::size_t n = 0; n < rows.size(); ++n)
        json += FormatText("%s%d", n ? "," : "", rows[n]);
    json += ']';
}

const char* Boolean(bool value)
{
    return value ? "true" : "false";
}

void AppendCandidates(std::string& json, const std::vector<CandidateInfo>& candidates)
{
    json += "\"candidates\":[";
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const CandidateInfo& c = candidates[k];
        json += FormatText("%s{\"defense\":%d,\"rates\":[", k ? "," : "", c.defense);
        for (int a = 0; a < AttributeKindCount; ++a) {
            json += a ? "," : "";
            AppendString(json, RateText(c.rates[a]));
        }
        json += FormatText("],\"hits\":%d,\"rows\":", c.hits);
        AppendRows(json, c.rows);
        json += FormatText(",\"chosen\":%s,\"tied\":%s}", Boolean(c.chosen), Boolean(c.tied));
    }
    json += ']';
}

void AppendDiagnosis(std::string& json, const std::vector<RowDiagnosis>& diagnosis)
{
    json += "\"diagnosis\":[";
    for (std::size_t n = 0; n < diagnosis.size(); ++n) {
        const RowDiagnosis& d = diagnosis[n];
        json += FormatText("%s{\"row\":%d,\"reproducible\":%s", n ? "," : "", d.row, Boolean(d.reproducible));
        if (d.reproducible) {
            json += ",\"without\":{";
            for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id) {
                json += FormatText("%s\"%d\":", id > IDC_EST_DEFENSE ? "," : "", id);
                AppendString(json, d.without.FullText(id));
            }
            json += '}';
        }
        json += '}';
    }
    json += ']';
}

// For each observation, the rate steps that reproduce it at each defense.
void AppendChart(std::string& json, const EstimatorState& state, const std::vector<int>& rows)
{
    json += "\"chart\":[";
    // An estimation stops at a row without an attribute: the observations
    // it holds are the first rows.
    for (int i = 0; i < state.observationCount; ++i) {
        json += FormatText("%s{\"row\":%d,\"steps\":[", i ? "," : "", rows[static_cast<std::size_t>(i)]);
        for (int d = 0; d < DefenseValueCount; ++d)
            json += FormatText("%s%d", d ? "," : "", ReproducingSteps(state, i, d));
        json += "]}";
    }
    json += ']';
}

void AppendRateItems(std::string& json)
{
    json += "\"rateItems\":[";
    for (const char* item : RateItems) {
        json += item == RateItems[0] ? "" : ",";
        AppendString(json, item);
    }
    json += ']';
}

} // namespace

std::string AnalysisJson(const Form& page, const EstimatorState& state)
{
    const MemoryForm form = CopyObservationRows(page);
    const EstimateAnalysis analysis = AnalyseEstimate(form, state, true);
    std::string json = "{";
    AppendCandidates(json, analysis.candidates);
    json += ',';
    AppendDiagnosis(json, analysis.diagnosis);
    json += ',';
    AppendChart(json, state, analysis.rows);
    json += ',';
    AppendRateItems(json);
    json += '}';
    return json;
}

std::string LoadReportJson(const LoadResult& load, const std::string& readCause)
{
    std::string json = "{\"failure\":";
    // The window's message for a failed load.
    AppendString(json, load.failure == LoadFailure::None ? "" : "file読み込み失敗");
    json += ",\"cause\":";
    const bool browserFailed = load.failure == LoadFailure::ReadFailed && !readCause.empty();
    AppendString(json, browserFailed ? readCause : LoadFailureText(load));
    json += ",\"skipped\":[";
    for (int k = 0; k < load.skippedKept; ++k) {
        json += FormatText("%s{\"line\":%llu,\"reason\":", k ? "," : "",
                           static_cast<unsigned long long>(load.skipped[k].line));
        AppendString(json, SkipReasonText(load.skipped[k].reason));
        json += '}';
    }
    json += FormatText("],\"more\":%llu}", static_cast<unsigned long long>(load.skippedCount) -
                                                 static_cast<unsigned long long>(load.skippedKept));
    return json;
}
