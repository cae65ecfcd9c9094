#include "web/PageAnalysis.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "report/AnalysisJson.h"

namespace {

// The page keeps each part it was handed last: after every step they are
// those of the rows' own analysis, and only the parts that changed came.
TEST(PageAnalysisUpdate, HandsThePartsThatChangedAndTheyAddUpToTheAnalysis)
{
    // The worked example's rows; row 1 repeated, with a damage no enemy gives, and without attribute.
    const ObservedRow row1{1, 1208, 50, 300, 0, 10, 10, 0}, row2{2, 878, 55, 250, 1, 10, 10, 0},
        row3{3, 1776, 45, 320, 2, 10, 10, 3}, row4{4, 1522, 60, 280, 0, 5, 20, 0};
    const ObservedRow again{5, 1208, 50, 300, 0, 10, 10, 0}, odd{1, 12081, 50, 300, 0, 10, 10, 0},
        kindless{1, 1208, 50, 300, -1, 10, 10, 0};
    const ObservationSet worked{4, {row1, row2, row3, row4}};
    const std::set<std::string> all{"announcement", "candidates", "chart", "diagnosis", "use"};
    const struct {
        const char* name;
        ObservationSet set;
        std::set<std::string> handed;
    } steps[] = {
        {"the first analysis: every part", worked, all},
        {"the same rows: nothing, and no analysis", worked, {}},
        {"a row repeated: the diagnosis and the advice stay", {5, {row1, row2, row3, row4, again}},
         {"announcement", "candidates", "chart"}},
        {"a damage no enemy gives: the advice stays", {4, {odd, row2, row3, row4}},
         {"announcement", "candidates", "chart", "diagnosis"}},
        {"no rows", {}, all},
        {"a row without attribute: only the sentence", {1, {kindless}}, {"announcement"}},
        {"the worked example again", worked, {"announcement", "candidates", "chart", "use"}},
    };
    HandedAnalysis handed;
    nlohmann::json shown = nlohmann::json::object();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const nlohmann::json update = PageAnalysisUpdate(handed, step.set);
        std::set<std::string> parts;
        for (const auto& [name, part] : update.items())
            parts.insert(name);
        EXPECT_EQ(parts, step.handed);
        shown.update(update);
        HandedAnalysis fresh;
        EXPECT_EQ(shown, PageAnalysisUpdate(fresh, step.set));
    }
}

// The first rows and the batches asked for after them are every candidate,
// in order, once.
TEST(PageCandidateRows, BatchesAfterTheFirstRowsMakeUpEveryCandidate)
{
    const ObservationSet worst{6, {{1, 1, 1, 5, 0, 0, 0, 0}, {2, 1, 1, 5, 1, 0, 0, 0}, {3, 1, 1, 5, 2, 0, 0, 0},
                                   {4, 2, 1, 5, 0, 0, 0, 0}, {5, 2, 1, 5, 1, 0, 0, 0}, {6, 2, 1, 5, 2, 0, 0, 0}}};
    HandedAnalysis handed;
    const nlohmann::json candidates = PageAnalysisUpdate(handed, worst)["candidates"];
    nlohmann::json rows = candidates["rows"];
    for (nlohmann::json batch; rows.size() < 1003; rows.insert(rows.end(), batch.begin(), batch.end())) {
        batch = PageCandidateRows(handed, rows.size());
        ASSERT_FALSE(batch.empty());
    }
    EXPECT_EQ(candidates["count"], 1003);
    EXPECT_EQ(rows, PageCandidatesJson(handed.analysis, 0, 1003));
    EXPECT_TRUE(PageCandidateRows(handed, 1003).empty());
}

} // namespace
