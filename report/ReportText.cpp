#include "report/ReportText.h"

#include <algorithm>
#include <iterator>

#include "form/ControlMap.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

// Padded by the columns each character takes in a fixed-pitch font ("不明":
// four), so that the report's columns line up.
std::string Column(std::string_view text, std::size_t width)
{
    return PadToColumns(text, width);
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

// Right-aligned in width columns, as Column pads on the right.
std::string Right(std::string_view text, std::size_t width)
{
    return AlignToColumns(text, width);
}

void AppendCandidates(std::string& text, const EstimateAnalysis& analysis)
{
    text += std::string("\n") + MessageText(MessageId::CandidatesHeading) + '\n' +
            MessageText(MessageId::CandidatesColumns) + '\n';
    for (const CandidateInfo& c : analysis.candidates) {
        const std::array<std::string, CandidateCellCount> cells = CandidateCells(c);
        text += "  " + cells[0] + "  " + Right(cells[1], 7) + "  " + Column(cells[2], 6) + ' ' + Column(cells[3], 6) +
                ' ' + Column(cells[4], 6) + Right(cells[5], 6) + "  " + cells[6] + '\n';
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

// The width in columns of each column of the attacks, as their heading has it.
constexpr std::size_t AttackWidths[AttackCellCount] = {6, 6, 6, 8, 6, 14, 12, 12};

void AppendAttacks(std::string& text, const EstimateAnalysis& analysis)
{
    if (analysis.attacks.empty())
        return;
    text += std::string("\n") + MessageText(MessageId::AttacksHeading) + '\n' +
            MessageText(MessageId::AttacksColumns) + '\n';
    for (const AttackFigures& a : analysis.attacks) {
        const std::array<std::string, AttackCellCount> cells = AttackCells(a);
        for (std::size_t c = 0; c < AttackCellCount; ++c)
            text += Right(cells[c], AttackWidths[c]);
        text += '\n';
    }
}

// One defense's steps left, "斬 1.000 打 0.750/0.875".
std::string StepsText(const DefenseLeft& left, int usedAttributes)
{
    std::string text;
    for (int a = 0; a < AttributeKindCount; ++a) {
        if (!(usedAttributes & (1 << a)))
            continue;
        text += std::string(text.empty() ? "" : " ") + AttributeItems[a] + ' ';
        for (int j = 0, first = 1; j < RateStepCount; ++j)
            if (left.steps[a] & (1 << j)) {
                text += (first ? "" : "/") + RateText(RateStep(j));
                first = 0;
            }
    }
    return text;
}

// The defenses left in runs of equal steps, "0～25 (斬 1.000)、38 (斬 1.125)".
std::string LeftText(const Advice& advice)
{
    std::string text;
    for (std::size_t k = 0; k < advice.left.size();) {
        std::size_t last = k;
        while (last + 1 < advice.left.size() && advice.left[last + 1].defense == advice.left[last].defense + 1 &&
               std::equal(std::begin(advice.left[last + 1].steps), std::end(advice.left[last + 1].steps),
                          std::begin(advice.left[k].steps)))
            ++last;
        const int from = advice.left[k].defense, to = advice.left[last].defense;
        text += text.empty() ? "" : "、";
        text += (from == to ? FormatText("%d", from) : ComposeText(MessageText(MessageId::PageChartRange), from, to)) +
                " (" + StepsText(advice.left[k], advice.usedAttributes) + ")";
        k = last + 1;
    }
    return text;
}

void AppendAdvice(std::string& text, const Advice& advice)
{
    const AdviceSentences sentences = AdviceText(advice);
    if (sentences.lines.empty())
        return;
    text += std::string("\n") + MessageText(MessageId::AdviceHeading) + '\n';
    for (const std::string& line : sentences.lines)
        text += line + '\n';
    for (const std::string& move : sentences.moves)
        text += move + '\n';
}

} // namespace

std::array<std::string, AttackCellCount> AttackCells(const AttackFigures& attack)
{
    const auto figure = [&](std::int32_t value) {
        return attack.known ? FormatText("%d", value) : std::string(MessageText(MessageId::Unknown));
    };
    const Move& m = attack.move;
    return {FormatText("%d", m.attack), FormatText("%d", m.strength), FormatText("%d", m.charm),
            FormatText("%d", m.power),  AttributeItems[m.attribute],  figure(attack.critical),
            figure(attack.average),     figure(attack.minimum)};
}

AdviceSentences AdviceText(const Advice& advice)
{
    constexpr std::size_t AdvisedMoves = 3;
    AdviceSentences sentences;
    if (!advice.found || advice.remaining == 0)
        return sentences;
    if (PinnedDown(advice)) {
        sentences.lines.push_back(MessageText(MessageId::AdvicePinned));
        return sentences;
    }
    sentences.lines.push_back(
        ComposeText(MessageText(MessageId::AdviceRemaining), static_cast<long long>(advice.remaining)));
    if (CannotSplit(advice)) {
        sentences.lines.push_back(MessageText(MessageId::AdviceCannotSplit));
        sentences.lines.push_back(ComposeText(MessageText(MessageId::AdviceLeft), LeftText(advice).c_str()));
        return sentences;
    }
    for (std::size_t n = 0; n < advice.moves.size() && n < AdvisedMoves; ++n)
        sentences.moves.push_back(AdvisedMoveText(advice.moves[n], static_cast<int>(n) + 1));
    return sentences;
}

std::string MoveValuesText(const Move& move)
{
    return ComposeText(MessageText(MessageId::AdviceMoveValues), move.attack, move.strength, move.charm, move.power,
                       AttributeItems[move.attribute]);
}

std::string AdvisedMoveText(const MoveAdvice& advice, int rank)
{
    return ComposeText(MessageText(MessageId::AdviceMove), rank, advice.move.attackerRow, advice.move.techniqueRow,
                       MoveValuesText(advice.move).c_str(), FormatText("%.2f", advice.expected).c_str(),
                       static_cast<long long>(advice.worst));
}

const char* CandidateMark(const CandidateInfo& candidate)
{
    return candidate.chosen ? "*" : (candidate.tied ? "=" : " ");
}

std::array<std::string, CandidateCellCount> CandidateCells(const CandidateInfo& candidate)
{
    return {CandidateMark(candidate),        FormatText("%d", candidate.defense),
            RateText(candidate.rates[0]),    RateText(candidate.rates[1]),
            RateText(candidate.rates[2]),    FormatText("%d", candidate.hits),
            RowList(candidate.rows)};
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
    if (candidates) {
        AppendAttacks(text, analysis);
        AppendAdvice(text, analysis.advice);
    }
    return text;
}

std::string RowsReportText(const Form& form)
{
    return EstimateReportText(AnalyseObservations(ReadObservationSet(form), {true, false}), true);
}
