#include "web/WebAnalysis.h"

#include <vector>

#include "damage/DamageFormula.h"
#include "estimator/CandidateSearch.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/ControlMap.h"
#include "form/MemoryForm.h"
#include "form/TextFormat.h"

namespace {

// The page's own estimators, apart from the one the commands use: one for
// the rows as they are, one for the rows without a disagreeing row.
EstimatorState AnalysisState;
EstimatorState WithoutRowState;

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

MemoryForm CopyRows(const Form& page)
{
    MemoryForm rows;
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        for (int id : {row.damage, row.attack, row.power, row.strength, row.charm})
            rows.SetText(id, page.GetText(id).View());
        rows.SetSelection(row.attribute, page.GetSelection(row.attribute));
        rows.SetSelection(row.chain, page.GetSelection(row.chain));
    }
    return rows;
}

// Observation i came from the i-th row with a positive damage (1-based).
std::vector<int> ObservationRows(const Form& form)
{
    std::vector<int> rows;
    for (int r = 0; r < ObservationRowCount; ++r)
        if (form.GetNumber(ObservationRowIds(r).damage) > 0)
            rows.push_back(r + 1);
    return rows;
}

void AppendCandidates(std::string& json, const EstimatorState& state, const std::vector<int>& rows)
{
    json += "\"candidates\":[";
    for (int k = 0; k < state.candidateCount; ++k) {
        const CandidateView view = ViewCandidate(state, k);
        json += FormatText("%s{\"defense\":%d,\"rates\":[", k ? "," : "", view.defense);
        for (int a = 0; a < AttributeKindCount; ++a)
            json += (a ? "," : "") + (view.rates[a] == -1.0 ? std::string("null") : FormatText("%.3f", view.rates[a]));
        json += FormatText("],\"hits\":%d,\"rows\":[", view.hits);
        const char* separator = "";
        for (int i = 0; i < state.observationCount; ++i)
            if (CandidateReproduces(state, k, i)) {
                json += FormatText("%s%d", separator, rows[static_cast<std::size_t>(i)]);
                separator = ",";
            }
        bool tied = false;
        for (int n = 1; n <= state.tieCount; ++n)
            tied |= state.bestList[n] == k;
        json += FormatText("],\"chosen\":%s,\"tied\":%s}", state.bestList[0] == k ? "true" : "false",
                           tied ? "true" : "false");
    }
    json += ']';
}

void AppendLabels(std::string& json, const MemoryForm& form)
{
    json += '{';
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id) {
        json += FormatText("%s\"%d\":", id > IDC_EST_DEFENSE ? "," : "", id);
        AppendString(json, form.FullText(id));
    }
    json += '}';
}

// A row the chosen candidate does not reproduce is mistyped when no
// candidate does, else it conflicts with the others: then the estimate
// without it, the same command on the same rows with this one emptied.
void AppendDiagnosis(std::string& json, const MemoryForm& form, const std::vector<int>& rows)
{
    json += "\"diagnosis\":[";
    const EstimatorState& state = AnalysisState;
    const int chosen = state.bestList[0];
    const char* separator = "";
    for (int i = 0; chosen >= 0 && i < state.observationCount; ++i) {
        if (CandidateReproduces(state, chosen, i))
            continue;
        bool reproducible = false;
        for (int k = 0; k < state.candidateCount; ++k)
            reproducible |= CandidateReproduces(state, k, i);
        const int row = rows[static_cast<std::size_t>(i)];
        json += FormatText("%s{\"row\":%d,\"reproducible\":%s", separator, row, reproducible ? "true" : "false");
        separator = ",";
        if (reproducible) {
            MemoryForm without = form;
            without.SetText(ObservationRowIds(row - 1).damage, "0");
            RunDefenseEstimation(without, WithoutRowState);
            json += ",\"without\":";
            AppendLabels(json, without);
        }
        json += '}';
    }
    json += ']';
}

void AppendChart(std::string& json, const EstimatorState& state, const std::vector<int>& rows)
{
    json += "\"chart\":[";
    for (int i = 0; i < state.observationCount; ++i) {
        json += FormatText("%s{\"row\":%d,\"steps\":[", i ? "," : "", rows[static_cast<std::size_t>(i)]);
        for (int d = 0; d < DefenseValueCount; ++d) {
            int mask = 0;
            for (int j = 0; j < RateStepCount; ++j)
                if (EstimatorDamage(state, i, d, RateStep(j)) == state.damage[i])
                    mask |= 1 << j;
            json += FormatText("%s%d", d ? "," : "", mask);
        }
        json += "]}";
    }
    json += ']';
}

} // namespace

std::string AnalysisJson(const Form& page)
{
    MemoryForm form = CopyRows(page);
    const std::vector<int> rows = ObservationRows(form);
    RunDefenseEstimation(form, AnalysisState);
    std::string json = "{";
    AppendCandidates(json, AnalysisState, rows);
    json += ',';
    AppendChart(json, AnalysisState, rows);
    json += ',';
    AppendDiagnosis(json, form, rows);
    // The rate list's items, to name the steps of the chart's masks.
    json += ",\"rateItems\":[";
    for (const char* item : RateItems) {
        json += item == RateItems[0] ? "" : ",";
        AppendString(json, item);
    }
    json += "]}";
    return json;
}
