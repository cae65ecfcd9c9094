#include "web/PageAnalysis.h"

#include <utility>

#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "report/AnalysisJson.h"
#include "report/ReportText.h"

namespace {

int ChosenDefense(const Estimate& estimate)
{
    return EstimateFound(estimate) ? estimate.chosen.defense : -1;
}

// The chart and the candidates, the large parts, are compared as records
// and made only when they differ.
bool SameChart(const EstimateAnalysis& a, const EstimateAnalysis& b)
{
    return a.chart == b.chart && ChosenDefense(a.estimate) == ChosenDefense(b.estimate);
}

// The small parts are cheaper made than compared field by field: made,
// and handed when they differ from the last.
template <typename Part>
void HandIfChanged(nlohmann::json& update, const char* name, Part part, Part& last)
{
    if (part == last)
        return;
    update[name] = part;
    last = std::move(part);
}

} // namespace

nlohmann::json PageAnalysisUpdate(HandedAnalysis& handed, const ObservationSet& set)
{
    nlohmann::json update = nlohmann::json::object();
    if (handed.made && set == handed.analysis.observations)
        return update;
    EstimateAnalysis analysis = AnalyseObservations(set, {true, true});
    if (!handed.made || !SameChart(analysis, handed.analysis))
        update["chart"] = ChartJson(analysis);
    if (!handed.made || analysis.candidates != handed.analysis.candidates)
        update["candidates"] = {{"count", analysis.candidates.size()},
                                {"rows", PageCandidatesJson(analysis, 0, CandidateRowsAtOnce)}};
    HandIfChanged(update, "diagnosis", DiagnosisJson(analysis), handed.diagnosis);
    HandIfChanged(update, "use", PageUseJson(analysis), handed.use);
    HandIfChanged(update, "announcement",
                  ComposeText(MessageText(MessageId::PageEstimateAnnounce), EstimateLine(analysis.estimate).c_str()),
                  handed.announcement);
    handed.analysis = std::move(analysis);
    handed.made = true;
    return update;
}

nlohmann::json PageCandidateRows(const HandedAnalysis& handed, std::size_t from)
{
    return PageCandidatesJson(handed.analysis, from, CandidateRowsAtOnce);
}
