#include "estimator/EstimateReportText.h"

#include <memory>

#include "estimator/CandidateSearch.h"
#include "estimator/DebugTrace.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/TextFormat.h"

namespace {

// In code page 932 a character takes as many columns of a fixed-pitch font
// as it has bytes ("不明": four), so padding by bytes keeps columns aligned.
std::string Column(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string RowList(const std::vector<int>& rows)
{
    std::string list;
    for (int row : rows) {
        if (!list.empty())
            list += ' ';
        list += std::to_string(row);
    }
    return list.empty() ? "-" : list;
}

// The result labels in the order a player reads them; a message in the
// defense label stands alone.
void AppendLabels(std::string& text, const MemoryForm& form, const std::string& indent)
{
    const auto label = [&form](int id) { return form.FullText(id); };
    text += indent + "防御      " + label(IDC_EST_DEFENSE) + '\n';
    if (label(IDC_EST_SUMMARY).empty())
        return;
    text += indent + "倍率      斬 " + label(IDC_EST_RATE_SLASH) + "  打 " + label(IDC_EST_RATE_STRIKE) + "  突 " +
            label(IDC_EST_RATE_THRUST) + '\n';
    text += indent + label(IDC_EST_SUMMARY) + '\n';
    text += indent + "予測      " + label(IDC_EST_PREDICTED) + '\n';
    if (label(IDC_EST_MORE).empty())
        return;
    text += indent + label(IDC_EST_MORE) + '\n';
    for (int id = IDC_EST_ALT1_DEFENSE; id <= IDC_EST_ALT3_RATES && !label(id).empty(); id += 2)
        text += indent + "  防御 " + label(id) + "  倍率 " + label(id + 1) + '\n';
}

void AppendCandidates(std::string& text, const EstimateAnalysis& analysis)
{
    text += "\ncandidates (creation order; * chosen, = tied with it):\n"
            "     defense  slash  strike thrust  hits  rows\n";
    for (const CandidateInfo& c : analysis.candidates) {
        text += FormatText("  %c  %7d  ", c.chosen ? '*' : (c.tied ? '=' : ' '), c.defense) +
                Column(RateText(c.rates[0]), 6) + ' ' + Column(RateText(c.rates[1]), 6) + ' ' +
                Column(RateText(c.rates[2]), 6) + FormatText("%6d  ", c.hits) + RowList(c.rows) + '\n';
    }
}

void AppendDiagnosis(std::string& text, const EstimateAnalysis& analysis)
{
    if (analysis.diagnosis.empty())
        return;
    text += "\ndiagnosis:\n";
    for (const RowDiagnosis& d : analysis.diagnosis) {
        if (!d.reproducible) {
            text += FormatText("  no defense 0-99 and rate reproduces row %d: it is likely mistyped\n", d.row);
            continue;
        }
        text += FormatText("  row %d conflicts with the others; the best estimate without it:\n", d.row);
        AppendLabels(text, d.without, "    ");
    }
}

} // namespace

std::string EstimateReportText(const MemoryForm& form, const EstimateAnalysis& analysis, bool candidates)
{
    std::string text;
    AppendLabels(text, form, "");
    if (candidates)
        AppendCandidates(text, analysis);
    AppendDiagnosis(text, analysis);
    return text;
}

std::string RowsReportText(const Form& form)
{
    MemoryForm rows = CopyObservationRows(form);
    // About 130 KB: on the heap, and only while the report is built.
    const auto state = std::make_unique<EstimatorState>();
    // The estimations behind a report are not the ones a debugger follows.
    const TraceScope silence;
    RunDefenseEstimation(rows, *state);
    return EstimateReportText(rows, AnalyseEstimate(rows, *state, true), true);
}
