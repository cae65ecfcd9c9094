#include "report/ReportText.h"

#include <gtest/gtest.h>

#include "estimator/DebugTrace.h"
#include "estimator/DefenseEstimation.h"
#include "estimator/EstimatorState.h"
#include "form/MemoryForm.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "report/LoadReport.h"

namespace {

// A line as the columns of a fixed-pitch font show it: a wide character
// takes two.
std::string ByColumns(std::string_view line)
{
    std::string columns;
    for (std::size_t at = 0; at < line.size();) {
        std::size_t length = 1;
        while (at + length < line.size() && (static_cast<unsigned char>(line[at + length]) & 0xC0) == 0x80)
            ++length;
        columns.append(DisplayColumns(line.substr(at, length)), line[at] == ' ' ? ' ' : 'x');
        at += length;
    }
    return columns;
}

// Each column's heading ends where its values end.
TEST(EstimateReport, CandidateHeadingsStandOverTheirColumns)
{
    MemoryForm form;
    const char* row[] = {"1776", "45", "320"};
    form.SetText(IDC_OBS_DAMAGE_0, row[0]);
    form.SetText(IDC_OBS_ATTACK_0, row[1]);
    form.SetText(IDC_OBS_POWER_0, row[2]);
    form.SetSelection(IDC_OBS_ATTR_0, 2);
    EstimatorState state;
    const Estimate estimate = RunDefenseEstimation(form, state);
    const std::string report = EstimateReportText(AnalyseEstimate(ReadObservationSet(form), estimate, state, {true, false}), true);
    const std::string columns = MessageText(MessageId::CandidatesColumns);
    const std::size_t at = report.find(columns + '\n');
    ASSERT_NE(at, std::string::npos);
    const std::string first = ByColumns(report.substr(at + columns.size() + 1, report.find('\n', at + columns.size() + 1) -
                                                                                  (at + columns.size() + 1)));
    // "  *  DEFENSE  SLASH  STRIKE THRUST  HITS  ROWS": numbers end under the
    // end of their heading, rates and rows start under its start.
    const struct {
        const char* heading;
        std::size_t column;
        bool right;
    } headings[] = {{"防御", 12, true},   {"斬", 14, false},       {"打", 21, false},
                    {"突", 28, false},    {"ヒット数", 40, true}, {"再現する行", 42, false}};
    for (const auto& h : headings) {
        const std::size_t found = columns.find(h.heading);
        ASSERT_NE(found, std::string::npos) << h.heading;
        const std::size_t start = DisplayColumns(std::string_view(columns).substr(0, found));
        const std::size_t value = h.right ? h.column - 1 : h.column;
        EXPECT_EQ(h.right ? start + DisplayColumns(h.heading) : start, h.column) << h.heading;
        EXPECT_NE(first[value], ' ') << h.heading << ": a value stands here\n" << first;
        EXPECT_EQ(first[h.right ? value + 1 : value - 1], ' ') << h.heading << ": a value's edge\n" << first;
    }
}

// A candidate's cells, in the order of the columns' headings, as the
// report and the page's table show them.
TEST(EstimateReport, CandidateCellsFollowTheHeadings)
{
    const struct {
        CandidateInfo candidate;
        std::array<const char*, CandidateCellCount> cells;
    } cases[] = {
        {{30, {1.0, 0.625, 1.375}, 4, {1, 2, 4}, true, false}, {"*", "30", "1.000", "0.625", "1.375", "4", "1 2 4"}},
        {{0, {0.5, -1.0, -1.0}, 1, {3}, false, true}, {"=", "0", "0.500", "不明", "不明", "1", "3"}},
        {{99, {1.25, 1.0, 0.875}, 0, {}, false, false}, {" ", "99", "1.250", "1.000", "0.875", "0", "-"}},
    };
    for (const auto& c : cases) {
        const auto cells = CandidateCells(c.candidate);
        for (std::size_t k = 0; k < CandidateCellCount; ++k)
            EXPECT_EQ(cells[k], c.cells[k]) << c.candidate.defense << " cell " << k;
    }
}

// The lines of a load, as torume prints them and the page shows them.
TEST(LoadReport, NamesEachSkippedLineThenTheRestThenWhereReadingStopped)
{
    LoadResult load{};
    load.skippedKept = 2;
    load.skippedCount = 5;
    load.skipped[0] = {3, SkipReason::Comma};
    load.skipped[1] = {9, SkipReason::BeyondSixRows};
    load.lineCount = 12;
    load.error = EIO;
    const std::vector<std::string> lines = LoadReportLines("観測.txt", load);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "観測.txt:3: " + SkipReasonMessage(SkipReason::Comma));
    EXPECT_EQ(lines[1], "観測.txt:9: " + SkipReasonMessage(SkipReason::BeyondSixRows));
    EXPECT_EQ(lines[2], "観測.txt: ほかに 3 行を読み飛ばしました");
    EXPECT_EQ(lines[3], "観測.txt:12: 読み込み中にエラーが起きました。ここまでを読み込みました");
    load.failure = LoadFailure::ReadFailed;
    EXPECT_EQ(LoadReportLines("a", load).size(), 3u) << "a failed read is the failure, not a note";
}

// A report of the rows on screen estimates them on copies, untraced.
TEST(EstimateReport, ReportOfTheRowsLeavesFormEstimatorAndTraceAlone)
{
    MemoryForm form;
    const std::string worked = "1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n1776 45 320 2 10 10 3\n1522 60 280 0 5 20 0\n";
    ObservationReader reader;
    StartObservationRead(reader);
    ReadObservationBytes(reader, worked.data(), worked.size());
    FinishObservationRead(form, reader, 0);
    form.SetText(IDC_OBS_DAMAGE_0 + 3, "1500");
    std::vector<std::string> trace;
    const TraceScope capture([](void* lines, const char* text) { static_cast<std::vector<std::string>*>(lines)->emplace_back(text); },
                             &trace);
    const MemoryForm before = form;

    const std::string report = RowsReportText(form);
    EXPECT_EQ(report.rfind("防御      30\n倍率      斬 1.000  打 0.750  突 1.250\n計算一部成功 4データ中 3データ再現\n", 0), 0u)
        << report;
    EXPECT_NE(report.find("  4行目はほかの行と食い違います。"), std::string::npos) << report;
    EXPECT_TRUE(trace.empty()) << "the report's estimations are not traced";
    DebugTrace("after\n");
    EXPECT_EQ(trace, std::vector<std::string>{"after\n"}) << "the sink is back";
    EXPECT_EQ(Estimator.damage[3], 1522) << "the process's estimator keeps the last estimation";
    for (const ControlDef& def : ControlMap)
        EXPECT_EQ(form.FullText(def.id), before.FullText(def.id)) << def.name;
}

} // namespace
