#include "report/ReportText.h"

#include <memory>

#include "estimator/DebugTrace.h"
#include "estimator/EstimatorState.h"
#include "form/ControlMap.h"
#include "form/TextFormat.h"
#include "report/Messages.h"

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

const std::string& LabelText(const std::array<std::string, ResultLabelCount>& labels, int id)
{
    return labels[static_cast<std::size_t>(id - IDC_EST_DEFENSE)];
}

// A caption padded to the column where the values start.
std::string Caption(MessageId id)
{
    return Column(MessageText(id), 10);
}

// The result labels in the order a player reads them; a message in the
// defense label stands alone.
void AppendLabels(std::string& text, const Estimate& estimate, const std::string& indent)
{
    const std::array<std::string, ResultLabelCount> labels = ResultLabelTexts(estimate);
    const auto label = [&labels](int id) { return LabelText(labels, id); };
    text += indent + Caption(MessageId::DefenseCaption) + label(IDC_EST_DEFENSE) + '\n';
    if (label(IDC_EST_SUMMARY).empty())
        return;
    text += indent + Caption(MessageId::RatesCaption) + AttributeItems[0] + ' ' + label(IDC_EST_RATE_SLASH) + "  " +
            AttributeItems[1] + ' ' + label(IDC_EST_RATE_STRIKE) + "  " + AttributeItems[2] + ' ' +
            label(IDC_EST_RATE_THRUST) + '\n';
    text += indent + label(IDC_EST_SUMMARY) + '\n';
    text += indent + Caption(MessageId::PredictedCaption) + label(IDC_EST_PREDICTED) + '\n';
    if (label(IDC_EST_MORE).empty())
        return;
    text += indent + label(IDC_EST_MORE) + '\n';
    for (int id = IDC_EST_ALT1_DEFENSE; id <= IDC_EST_ALT3_RATES && !label(id).empty(); id += 2)
        text += indent + "  " + MessageText(MessageId::FurtherDefense) + ' ' + label(id) + "  " +
                MessageText(MessageId::FurtherRates) + ' ' + label(id + 1) + '\n';
}

void AppendCandidates(std::string& text, const EstimateAnalysis& analysis)
{
    text += std::string("\n") + MessageText(MessageId::CandidatesHeading) + '\n' +
            MessageText(MessageId::CandidatesColumns) + '\n';
    for (const CandidateInfo& c : analysis.candidates) {
        text += FormatText("  %s  %7d  ", CandidateMark(c), c.defense) + Column(RateText(c.rates[0]), 6) + ' ' +
                Column(RateText(c.rates[1]), 6) + ' ' + Column(RateText(c.rates[2]), 6) + FormatText("%6d  ", c.hits) +
                RowList(c.rows) + '\n';
    }
}

void AppendDiagnosis(std::string& text, const EstimateAnalysis& analysis)
{
    if (analysis.diagnosis.empty())
        return;
    text += std::string("\n") + MessageText(MessageId::DiagnosisHeading) + '\n';
    for (const RowDiagnosis& d : analysis.diagnosis) {
        text += "  " + DiagnosisSentence(d) + '\n';
        if (d.reproducible)
            AppendLabels(text, d.without, "    ");
    }
}

} // namespace

const char* CandidateMark(const CandidateInfo& candidate)
{
    return candidate.chosen ? "*" : (candidate.tied ? "=" : " ");
}

std::string DiagnosisSentence(const RowDiagnosis& diagnosis)
{
    return ComposeText(MessageText(diagnosis.reproducible ? MessageId::RowConflicts : MessageId::RowMistyped),
                      diagnosis.row);
}

std::string EstimateLine(const Estimate& estimate)
{
    const std::array<std::string, ResultLabelCount> labels = ResultLabelTexts(estimate);
    const auto label = [&labels](int id) { return LabelText(labels, id); };
    if (!EstimateFound(estimate))
        return label(IDC_EST_DEFENSE);
    const std::string gap = "\u3000";
    return std::string(MessageText(MessageId::DefenseCaption)) + ' ' + label(IDC_EST_DEFENSE) + gap +
           AttributeItems[0] + ' ' + label(IDC_EST_RATE_SLASH) + gap + AttributeItems[1] + ' ' +
           label(IDC_EST_RATE_STRIKE) + gap + AttributeItems[2] + ' ' + label(IDC_EST_RATE_THRUST) + gap +
           label(IDC_EST_SUMMARY);
}

std::string EstimateReportText(const EstimateAnalysis& analysis, bool candidates)
{
    std::string text;
    AppendLabels(text, analysis.estimate, "");
    if (candidates)
        AppendCandidates(text, analysis);
    AppendDiagnosis(text, analysis);
    return text;
}

std::string RowsReportText(const Form& form)
{
    const ObservationSet set = ReadObservationSet(form);
    // About 130 KB: on the heap, and only while the report is built.
    const auto state = std::make_unique<EstimatorState>();
    // The estimations behind a report are not the ones a debugger follows.
    const TraceScope silence;
    const Estimate estimate = EstimateObservations(set, *state);
    return EstimateReportText(AnalyseEstimate(set, estimate, *state, {true, false}), true);
}
