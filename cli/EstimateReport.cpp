#include "cli/EstimateReport.h"

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/PrintedName.h"
#include "estimator/CandidateSearch.h"
#include "report/AnalysisJson.h"
#include "report/ReportText.h"

void PrintEstimate(const EstimateResult& result, bool candidates, std::ostream& out)
{
    out << EstimateReportText(result.analysis, candidates);
}

void PrintBatchHeader(std::ostream& out)
{
    out << "file\tobservations\thits\tdefense\tslash\tstrike\tthrust\tties\tskipped\n";
}

void PrintBatchLine(const EstimateResult& result, std::ostream& out)
{
    const Estimate& estimate = result.analysis.estimate;
    // A tab, CR or LF in the name would break the table: the name is quoted.
    out << PrintedName(result.file) << '\t' << estimate.rowCount << '\t';
    if (!EstimateFound(estimate)) {
        // The estimation's own message in place of the defense.
        out << "0\t" << ResultLabelTexts(estimate)[0] << "\t\t\t\t0\t" << result.load.skippedCount
            << '\n';
        return;
    }
    const CandidateView& chosen = estimate.chosen;
    out << chosen.hits << '\t' << chosen.defense << '\t' << RateText(chosen.rates[0]) << '\t'
        << RateText(chosen.rates[1]) << '\t' << RateText(chosen.rates[2]) << '\t' << estimate.furtherCount << '\t'
        << result.load.skippedCount << '\n';
}

nlohmann::json EstimateJson(const EstimateResult& result, bool candidates)
{
    return AnalysisJson(result.form, result.analysis, &result.load, {candidates, false});
}
