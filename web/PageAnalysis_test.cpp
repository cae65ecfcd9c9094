#include "web/PageAnalysis.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

ObservationSet Set(std::initializer_list<ObservedRow> rows)
{
    ObservationSet set{};
    for (const ObservedRow& row : rows)
        set.rows[set.count++] = row;
    return set;
}

const ObservationSet Worked = Set({{1, 1208, 50, 300, 0, 10, 10, 0},
                                   {2, 878, 55, 250, 1, 10, 10, 0},
                                   {3, 1776, 45, 320, 2, 10, 10, 3},
                                   {4, 1522, 60, 280, 0, 5, 20, 0}});

ObservationSet WorkedWith(int index, ObservedRow row)
{
    ObservationSet set = Worked;
    set.rows[index] = row;
    set.count = std::max(set.count, index + 1);
    return set;
}

std::set<std::string> Parts(const nlohmann::json& update)
{
    std::set<std::string> names;
    for (const auto& [name, part] : update.items())
        names.insert(name);
    return names;
}

// The page keeps each part it was handed last: after every step they are
// those of the rows' own analysis, and only the parts that changed came.
TEST(PageAnalysisUpdate, HandsThePartsThatChangedAndTheyAddUpToTheAnalysis)
{
    const std::set<std::string> all{"announcement", "candidateRows", "chart", "diagnosis", "use"};
    const struct {
        const char* name;
        ObservationSet set;
        std::set<std::string> handed;
    } steps[] = {
        {"the first analysis: every part", Worked, all},
        {"the same rows: nothing, and no analysis", Worked, {}},
        {"a row repeated: the diagnosis and the advice stay", WorkedWith(4, {5, 1208, 50, 300, 0, 10, 10, 0}),
         {"announcement", "candidateRows", "chart"}},
        {"a damage no enemy gives: the advice stays", WorkedWith(0, {1, 12081, 50, 300, 0, 10, 10, 0}),
         {"announcement", "candidateRows", "chart", "diagnosis"}},
        {"no rows", Set({}), all},
        {"a row without attribute: only the sentence", Set({{1, 1208, 50, 300, -1, 10, 10, 0}}), {"announcement"}},
        {"the worked example again", Worked, {"announcement", "candidateRows", "chart", "use"}},
    };
    HandedAnalysis handed;
    nlohmann::json shown = nlohmann::json::object();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const nlohmann::json update = PageAnalysisUpdate(handed, step.set);
        EXPECT_EQ(Parts(update), step.handed);
        shown.update(update);
        HandedAnalysis fresh;
        EXPECT_EQ(shown, PageAnalysisUpdate(fresh, step.set));
    }
}

} // namespace
