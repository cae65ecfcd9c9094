#include "report/AnalysisJson.h"

#include <algorithm>
#include <string>

#include "estimator/CandidateSearch.h"
#include "estimator/EstimateHandOff.h"
#include "form/ControlMap.h"
#include "form/Form.h"
#include "form/TextFormat.h"
#include "observations/ObservationFile.h"
#include "report/LoadReport.h"
#include "report/ReportText.h"

namespace {

using nlohmann::json;

std::string Text(MessageId id)
{
    return std::string(MessageText(id));
}

json LabelsJson(const Estimate& estimate)
{
    const std::array<std::string, ResultLabelCount> labels = ResultLabelTexts(estimate);
    json object = json::object();
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        object[std::to_string(id)] = std::string(labels[static_cast<std::size_t>(id - IDC_EST_DEFENSE)]);
    return object;
}

json RowsJson(const Form& form)
{
    const auto text = [&](int id) { return std::string(form.GetText(id).View()); };
    json rows = json::array();
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        rows.push_back({{"damage", text(row.damage)},
                        {"attack", text(row.attack)},
                        {"power", text(row.power)},
                        {"attribute", form.GetSelection(row.attribute)},
                        {"strength", text(row.strength)},
                        {"charm", text(row.charm)},
                        {"chain", form.GetSelection(row.chain)}});
    }
    return rows;
}

const char* OutcomeCode(EstimateOutcome outcome)
{
    switch (outcome) {
    case EstimateOutcome::Success: return "success";
    case EstimateOutcome::PartialSuccess: return "partial";
    case EstimateOutcome::NoData: return "no-data";
    case EstimateOutcome::AttributeMissing: return "attribute-missing";
    case EstimateOutcome::NoSolution: return "no-solution";
    }
    return "";
}

json RatesJson(const double (&rates)[AttributeKindCount])
{
    json list = json::array();
    for (double rate : rates)
        list.push_back(rate == -1.0 ? json(nullptr) : json(rate));
    return list;
}

json NullOr(bool present, int value)
{
    return present ? json(value) : json(nullptr);
}

// The estimate as numbers: what the labels say in words.
json EstimateRecordJson(const Estimate& estimate)
{
    const bool found = EstimateFound(estimate);
    json predicted = json::array(), further = json::array();
    for (int i = 0; found && i < estimate.observationCount; ++i)
        predicted.push_back(NullOr(estimate.predicted[i], estimate.prediction[i]));
    for (int n = 0; found && n < estimate.shownCount; ++n)
        further.push_back({{"defense", estimate.further[n].defense}, {"rates", RatesJson(estimate.further[n].rates)}});
    return {{"outcome", OutcomeCode(estimate.outcome)},
            {"observations", estimate.observationCount},
            {"reproduced", found ? estimate.chosen.hits : 0},
            {"defense", NullOr(found, estimate.chosen.defense)},
            {"rates", found ? RatesJson(estimate.chosen.rates) : json{nullptr, nullptr, nullptr}},
            {"predicted", predicted},
            {"further", further},
            {"furtherCount", found ? estimate.furtherCount : 0},
            {"missingAttributeRow", NullOr(estimate.missingRow != 0, estimate.missingRow)}};
}

// The rows the estimation read, as numbers; the chain as its count.
json ObservationsJson(const ObservationSet& set)
{
    json list = json::array();
    for (int i = 0; i < set.count; ++i) {
        const ObservedRow& o = set.rows[i];
        list.push_back({{"row", o.row},
                        {"damage", o.damage},
                        {"attack", o.attack},
                        {"power", o.power},
                        {"attribute", NullOr(HasAttribute(o), o.attribute)},
                        {"strength", o.strength},
                        {"charm", o.charm},
                        {"chain", o.chainCount}});
    }
    return list;
}

json MoveJson(const Move& move)
{
    return {{"attack", move.attack},
            {"power", move.power},
            {"attribute", move.attribute},
            {"strength", move.strength},
            {"charm", move.charm}};
}

json AttacksJson(const EstimateAnalysis& analysis)
{
    json list = json::array();
    for (const AttackFigures& a : analysis.attacks) {
        json entry = MoveJson(a.move);
        entry["critical"] = NullOr(a.known, a.critical);
        entry["average"] = NullOr(a.known, a.average);
        entry["minimum"] = NullOr(a.known, a.minimum);
        list.push_back(entry);
    }
    return list;
}

json AdviceJson(const Advice& advice)
{
    json moves = json::array();
    for (const MoveAdvice& m : advice.moves) {
        json entry = MoveJson(m.move);
        entry["expected"] = m.expected;
        entry["worst"] = m.worst;
        moves.push_back(entry);
    }
    return {{"remaining", advice.remaining}, {"moves", moves}};
}

json CandidatesJson(const EstimateAnalysis& analysis)
{
    json list = json::array();
    for (const CandidateInfo& c : analysis.candidates) {
        json rateTexts = json::array();
        for (double rate : c.rates)
            rateTexts.push_back(std::string(RateText(rate)));
        list.push_back({{"defense", c.defense},
                        {"rates", RatesJson(c.rates)},
                        {"rateTexts", rateTexts},
                        {"hits", c.hits},
                        {"rows", c.rows},
                        {"chosen", c.chosen},
                        {"tied", c.tied},
                        {"mark", CandidateMark(c)}});
    }
    return list;
}

// The rate items that reproduce a row at a defense, "50, 62.5".
std::string StepItems(int steps)
{
    std::string items;
    for (int j = 0; j < RateStepCount; ++j)
        if (steps & (1 << j))
            items += std::string(items.empty() ? "" : ", ") + RateItems[j];
    return items;
}

// The defenses of a chart row in runs, "0～25, 38": the chart's text
// alternative says in words what its cells show.
std::string DefenseRuns(const int (&steps)[DefenseValueCount])
{
    std::string text;
    for (int d = 0; d < DefenseValueCount; ++d) {
        if (!steps[d])
            continue;
        int last = d;
        while (last + 1 < DefenseValueCount && steps[last + 1])
            ++last;
        text += text.empty() ? "" : ", ";
        text += last == d ? std::to_string(d) : ComposeText(MessageText(MessageId::PageChartRange), d, last);
        d = last;
    }
    return text;
}

// A sentence of the report without the indentation that sets it under its
// heading: the page sets it apart by its own means.
std::string Unindented(const std::string& text)
{
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

bool SameMove(const Move& a, const Move& b)
{
    return a.attack == b.attack && a.power == b.power && a.attribute == b.attribute && a.strength == b.strength &&
           a.charm == b.charm;
}

} // namespace

json DiagnosisJson(const EstimateAnalysis& analysis)
{
    json list = json::array();
    for (const RowDiagnosis& d : analysis.diagnosis) {
        json entry = {{"row", d.row},
                      {"reproducible", d.reproducible},
                      {"verdict", d.reproducible ? "conflicts with the others" : "no defense and rate reproduces it"},
                      {"code", d.reproducible ? "conflicts" : "not-reproducible"},
                      {"text", std::string(DiagnosisSentence(d))}};
        if (d.reproducible) {
            entry["without"] = LabelsJson(d.without);
            entry["withoutText"] = std::string(EstimateLine(d.without));
        }
        list.push_back(entry);
    }
    return list;
}

json ChartJson(const EstimateAnalysis& analysis)
{
    const int rowCount = static_cast<int>(analysis.chart.size());
    int agreeing[DefenseValueCount] = {};
    json rows = json::array();
    for (const ChartRow& row : analysis.chart) {
        json cells = json::array();
        for (int d = 0; d < DefenseValueCount; ++d) {
            if (!row.steps[d])
                continue;
            ++agreeing[d];
            cells.push_back({{"defense", d},
                             {"title", std::string(ComposeText(MessageText(MessageId::PageChartHit), row.row, d,
                                                          StepItems(row.steps[d]).c_str()))}});
        }
        rows.push_back({{"row", row.row},
                        {"caption", std::string(ComposeText(MessageText(MessageId::PageChartRow), row.row))},
                        {"cells", cells},
                        {"text", std::string(DefenseRuns(row.steps))}});
    }
    json agreement = json::array();
    std::string agreementText;
    for (int d = 0; d < DefenseValueCount; ++d) {
        if (!agreeing[d])
            continue;
        agreement.push_back({{"defense", d},
                             {"share", static_cast<double>(agreeing[d]) / rowCount},
                             {"title", std::string(ComposeText(MessageText(MessageId::PageChartShare), d, agreeing[d],
                                                          rowCount))}});
        agreementText += agreementText.empty() ? "" : ", ";
        agreementText += ComposeText(MessageText(MessageId::PageChartEntry), d, agreeing[d], rowCount);
    }
    json chart = {{"rows", rows},
                  {"agreement", agreement},
                  {"agreementText", std::string(agreementText)},
                  {"label", Text(MessageId::PageChartLabel)},
                  {"agreementCaption", Text(MessageId::PageChartAgreement)}};
    if (EstimateFound(analysis.estimate))
        chart["chosen"] = {{"defense", analysis.estimate.chosen.defense},
                           {"title", std::string(ComposeText(MessageText(MessageId::PageChartDefense),
                                                        analysis.estimate.chosen.defense))}};
    return chart;
}

json PageUseJson(const EstimateAnalysis& analysis)
{
    const AdviceSentences sentences = AdviceText(analysis.advice);
    // The move to record next, when the advice names one.
    const Move* top = sentences.moves.empty() ? nullptr : &analysis.advice.moves[0].move;
    json attacks = json::array();
    for (const AttackFigures& a : analysis.attacks) {
        json cells = json::array();
        for (const std::string& cell : AttackCells(a))
            cells.push_back(std::string(cell));
        attacks.push_back({{"cells", cells}, {"advised", top && SameMove(*top, a.move)}});
    }
    json lines = json::array(), moves = json::array(), controls = json::array(), handOff = json::array();
    for (const std::string& line : sentences.lines)
        lines.push_back(std::string(Unindented(line)));
    for (std::size_t n = 0; n < sentences.moves.size(); ++n)
        moves.push_back({{"text", std::string(Unindented(sentences.moves[n]))}, {"top", n == 0}});
    if (top) {
        const ObservationRow attacker = ObservationRowIds(top->attackerRow - 1);
        const ObservationRow technique = ObservationRowIds(top->techniqueRow - 1);
        controls = {attacker.attack, attacker.strength, attacker.charm, technique.power, technique.attribute};
    }
    for (int a = 0; a < AttributeKindCount; ++a)
        handOff.push_back(CanHandOffEstimate(analysis.estimate, a));
    return {{"attacks", attacks},
            {"advice", {{"lines", lines}, {"moves", moves}}},
            {"advisedControls", controls},
            {"handOff", handOff}};
}

json PageCandidatesJson(const EstimateAnalysis& analysis, std::size_t from, std::size_t count)
{
    json list = json::array();
    const std::vector<CandidateInfo>& candidates = analysis.candidates;
    for (std::size_t k = from; k < candidates.size() && k - from < count; ++k) {
        const CandidateInfo& c = candidates[k];
        json cells = json::array();
        for (const std::string& cell : CandidateCells(c))
            cells.push_back(cell);
        list.push_back({{"cells", cells}, {"chosen", c.chosen}, {"tied", c.tied}});
    }
    return list;
}

json SkippedJson(const LoadResult& load)
{
    json list = json::array();
    for (int k = 0; k < load.skippedKept; ++k)
        list.push_back({{"line", load.skipped[k].line},
                        {"reason", SkipReasonText(load.skipped[k].reason)},
                        {"code", SkipReasonCode(load.skipped[k].reason)},
                        {"text", std::string(SkipReasonMessage(load.skipped[k].reason))}});
    return list;
}

json AnalysisJson(const Form& form, const EstimateAnalysis& analysis, const LoadResult* load, AnalysisParts parts)
{
    json result = {{"schema", JsonSchemaVersion},
                   {"labels", LabelsJson(analysis.estimate)},
                   {"estimate", EstimateRecordJson(analysis.estimate)},
                   {"observations", ObservationsJson(analysis.observations)},
                   {"rows", RowsJson(form)},
                   {"diagnosis", DiagnosisJson(analysis)},
                   {"attacks", AttacksJson(analysis)},
                   {"advice", AdviceJson(analysis.advice)},
                   {"skipped", load ? SkippedJson(*load) : json::array()}};
    if (load && load->skippedCount > static_cast<std::uint64_t>(load->skippedKept))
        result["skippedCount"] = load->skippedCount; // the list holds only the first ones
    if (parts.candidates)
        result["candidates"] = CandidatesJson(analysis);
    if (parts.chart)
        result["chart"] = ChartJson(analysis);
    return result;
}

json PageTextsJson()
{
    const auto columns = [&](MessageId id) {
        const std::string text = MessageText(id);
        json headers = json::array();
        for (std::size_t start = 0;;) {
            const std::size_t tab = text.find('\t', start);
            headers.push_back(std::string(text.substr(start, tab - start)));
            if (tab == std::string::npos)
                return headers;
            start = tab + 1;
        }
    };
    static constexpr struct {
        const char* name;
        MessageId id;
    } Named[] = {
        {"diagnosisHeading", MessageId::PageDiagnosisHeading},
        {"chartHeading", MessageId::PageChartHeading},
        {"candidatesHeading", MessageId::PageCandidatesHeading},
        {"shareLink", MessageId::PageShareLink},
        {"shareCopy", MessageId::PageShareCopy},
        {"shareCopied", MessageId::PageShareCopied},
        {"shareCopyFailed", MessageId::PageShareCopyFailed},
        {"pasteHeading", MessageId::PagePasteHeading},
        {"pasteHelp", MessageId::PagePasteHelp},
        {"pasteButton", MessageId::PagePasteButton},
        {"pastedName", MessageId::PagePastedName},
        {"heading", MessageId::PageHeading},
        {"howToWhat", MessageId::PageHowToWhat},
        {"howToInput", MessageId::PageHowToInput},
        {"formatHeading", MessageId::PageFormatHeading},
        {"formatText", MessageId::PageFormatText},
        {"unusedRow", MessageId::PageUnusedRow},
        {"linkOpened", MessageId::PageLinkOpened},
        {"linkUndo", MessageId::PageLinkUndo},
        {"linkUndone", MessageId::PageLinkUndone},
        {"linkMalformed", MessageId::PageLinkMalformed},
        {"statusClose", MessageId::PageStatusClose},
        {"offlineReady", MessageId::PageOfflineReady},
        {"updateReady", MessageId::PageUpdateReady},
        {"loadCancel", MessageId::PageLoadCancel},
        {"notKept", MessageId::PageNotKept},
        {"coreRestarted", MessageId::PageCoreRestarted},
        {"handOffCaption", MessageId::PageHandOffCaption},
        {"description", MessageId::PageDescription},
        {"shortName", MessageId::PageShortName},
        {"noScript", MessageId::PageNoScript},
        {"cleared", MessageId::PageCleared},
        {"undone", MessageId::PageUndone},
        {"redo", MessageId::PageRedo},
        {"redone", MessageId::PageRedone},
        {"shareSend", MessageId::PageShareSend},
        {"shareTitle", MessageId::PageShareTitle},
        {"otherTabChanged", MessageId::PageOtherTabChanged},
        {"otherTabOpen", MessageId::PageOtherTabOpen},
        {"otherTabOpened", MessageId::PageOtherTabOpened},
    };
    // The report's headings and column headings serve the page too: without
    // the colon, the words apart.
    const auto heading = [&](MessageId id) {
        std::string text = MessageText(id);
        if (!text.empty() && text.back() == ':')
            text.pop_back();
        return std::string(text);
    };
    const auto words = [&](MessageId id) {
        const std::string text = MessageText(id);
        json list = json::array();
        for (std::size_t start = text.find_first_not_of(' '); start != std::string::npos;) {
            const std::size_t end = text.find(' ', start);
            list.push_back(std::string(text.substr(start, end - start)));
            start = text.find_first_not_of(' ', end == std::string::npos ? text.size() : end);
        }
        return list;
    };
    json attributes = json::array();
    for (const char* item : AttributeItems)
        attributes.push_back(std::string(item));
    json texts = {{"candidateColumns", columns(MessageId::PageCandidateColumns)},
                  {"chartColumns", columns(MessageId::PageChartColumns)},
                  {"attackColumns", words(MessageId::AttacksColumns)},
                  {"attacksHeading", heading(MessageId::AttacksHeading)},
                  {"adviceHeading", heading(MessageId::AdviceHeading)},
                  {"handOffButtons", attributes}};
    for (const auto& named : Named)
        texts[named.name] = Text(named.id);
    return texts;
}
