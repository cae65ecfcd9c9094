#include "estimator/DefenseEstimation.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "estimator/DebugTrace.h"
#include "estimator/EstimateAnalysis.h"
#include "estimator/EstimatorState.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"

namespace {

std::vector<std::string> TraceLines;

void CaptureTrace(void* lines, const char* text)
{
    static_cast<std::vector<std::string>*>(lines)->emplace_back(text);
}

// Row `row` (0 to 5) as typed.
struct RowInput {
    int row;
    TypedRow typed;
};

class DefenseEstimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        TraceLines.clear();
        SetTraceSink(CaptureTrace, &TraceLines);
    }
    void TearDown() override { SetTraceSink(nullptr); }

    void Fill(const std::vector<RowInput>& rows)
    {
        for (const RowInput& in : rows)
            TypeRow(form, in.row, in.typed);
    }

    // Labels 1011 to 1023; ids missing from expected must be empty.
    void ExpectLabels(const std::map<int, std::string>& expected)
    {
        for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id) {
            const auto it = expected.find(id);
            EXPECT_EQ(form.FullText(id), it == expected.end() ? "" : it->second) << "label " << id;
        }
    }

    MemoryForm form;
};

const std::vector<RowInput> WorkedRows = {
    {0, "1208", "50", "300", 0, "10", "10", 0},
    {1, "878", "55", "250", 1, "10", "10", 0},
    {2, "1776", "45", "320", 2, "10", "10", 2},
    {3, "1522", "60", "280", 0, "5", "20", 0},
};

TEST_F(DefenseEstimation, WorkedExampleSucceeds)
{
    Fill(WorkedRows);
    RunDefenseEstimation(form);
    ExpectLabels({{IDC_EST_DEFENSE, "30"},
                  {IDC_EST_RATE_SLASH, "1.000"},
                  {IDC_EST_RATE_STRIKE, "0.750"},
                  {IDC_EST_RATE_THRUST, "1.250"},
                  {IDC_EST_SUMMARY, "計算成功 4データ中 4データ再現"},
                  {IDC_EST_PREDICTED, "1208  878  1776  1522  "}});
    EXPECT_EQ(TraceLines, (std::vector<std::string>{"30, 4\n", "a 30 1.000 0.750 1.250\n"}));

    // Unchanged rows give identical texts again.
    RunDefenseEstimation(form);
    EXPECT_EQ(form.FullText(IDC_EST_PREDICTED), "1208  878  1776  1522  ");
}

TEST_F(DefenseEstimation, PartialSuccessPredictsTheMistypedRow)
{
    Fill(WorkedRows);
    form.SetText(IDC_OBS_DAMAGE_0 + 3, "1500");
    RunDefenseEstimation(form);
    ExpectLabels({{IDC_EST_DEFENSE, "30"},
                  {IDC_EST_RATE_SLASH, "1.000"},
                  {IDC_EST_RATE_STRIKE, "0.750"},
                  {IDC_EST_RATE_THRUST, "1.250"},
                  {IDC_EST_SUMMARY, "計算一部成功 4データ中 3データ再現"},
                  {IDC_EST_PREDICTED, "1208  878  1776  1522  "}});
    EXPECT_EQ(TraceLines, (std::vector<std::string>{"30, 3\n", "42, 1\n", "a 30 1.000 0.750 1.250\n"}));
}

TEST_F(DefenseEstimation, TiesShowAtMostThreeFurtherCandidates)
{
    Fill({{0, "787", "75", "100", 0, "0", "0", 0}});
    RunDefenseEstimation(form);
    const std::string rates = "1.000\u3000 不明 \u3000 不明 ";
    ExpectLabels({{IDC_EST_DEFENSE, "0"},
                  {IDC_EST_RATE_SLASH, "1.000"},
                  {IDC_EST_RATE_STRIKE, "不明"},
                  {IDC_EST_RATE_THRUST, "不明"},
                  {IDC_EST_SUMMARY, "計算成功 1データ中 1データ再現"},
                  {IDC_EST_PREDICTED, "787  "},
                  {IDC_EST_MORE, "他候補が26 個あります、最大3候補まで表示します"},
                  {IDC_EST_ALT1_DEFENSE, "1"},
                  {IDC_EST_ALT1_RATES, rates},
                  {IDC_EST_ALT2_DEFENSE, "2"},
                  {IDC_EST_ALT2_RATES, rates},
                  {IDC_EST_ALT3_DEFENSE, "3"},
                  {IDC_EST_ALT3_RATES, rates}});
    ASSERT_EQ(TraceLines.size(), 28u);
    EXPECT_EQ(TraceLines[26], "38, 1\n");
    EXPECT_EQ(TraceLines[27], "a 0 1.000 -1.000 -1.000\n");
}

TEST_F(DefenseEstimation, OneTieFillsOnlyTheFirstPair)
{
    // Defense 5 and defense 38 both reproduce two rows.
    Fill({{0, "787", "75", "100", 0, "0", "0", 0},
          {1, "648", "40", "300", 1, "0", "0", 0},
          {2, "362", "10", "300", 2, "0", "0", 0}});
    RunDefenseEstimation(form);
    ExpectLabels({{IDC_EST_DEFENSE, "5"},
                  {IDC_EST_RATE_SLASH, "1.000"},
                  {IDC_EST_RATE_STRIKE, "不明"},
                  {IDC_EST_RATE_THRUST, "1.250"},
                  {IDC_EST_SUMMARY, "計算一部成功 3データ中 2データ再現"},
                  {IDC_EST_PREDICTED, "787  不明  362  "},
                  {IDC_EST_MORE, "他候補が1 個あります、最大3候補まで表示します"},
                  {IDC_EST_ALT1_DEFENSE, "38"},
                  {IDC_EST_ALT1_RATES, "1.125\u3000 0.875\u3000 不明 "}});
}

TEST_F(DefenseEstimation, FailureMessages)
{
    const struct {
        const char* why;
        std::vector<RowInput> rows;
        const char* message;
        bool traced;
    } cases[] = {
        {"initial form", {}, "有効なデータがありません", false},
        {"negative damage skips its row", {{0, "-5", "50", "300", 0, "0", "0", 0}}, "有効なデータがありません", false},
        {"letters read as 0", {{0, "abc", "50", "300", 0, "0", "0", 0}}, "有効なデータがありません", false},
        {"empty attack and power", {{0, "100", "", "", 0, "", "", 0}}, "解が見つかりません", true},
        {"no pair reproduces", {{0, "5", "50", "300", 0, "0", "0", 0}}, "解が見つかりません", true},
        {"attribute without selection",
         {{0, "0", "50", "300", -1, "0", "0", 0}, {2, "1208", "50", "300", 0, "10", "10", 0},
          {4, "1208", "50", "300", -1, "10", "10", 0}},
         "5行目の属性が選択されていません", false},
    };
    for (const auto& c : cases) {
        form = MemoryForm();
        TraceLines.clear();
        // Results of an earlier run must not survive.
        form.SetText(IDC_EST_SUMMARY, "stale");
        form.SetText(IDC_EST_ALT3_RATES, "stale");
        Fill(c.rows);
        RunDefenseEstimation(form);
        EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), c.message) << c.why;
        for (int id = IDC_EST_RATE_SLASH; id <= IDC_EST_ALT3_RATES; ++id)
            EXPECT_EQ(form.FullText(id), "") << c.why << ", label " << id;
        if (c.traced)
            EXPECT_EQ(TraceLines, (std::vector<std::string>{"a -1 -1.000 -1.000 -1.000\n"})) << c.why;
        else
            EXPECT_TRUE(TraceLines.empty()) << c.why;
    }
}

TEST_F(DefenseEstimation, RowsAreStoredDenselyInRowOrder)
{
    Fill({{0, "1208", "50", "300", 0, "10", "10", 0}, {3, "878", "55", "250", 1, "10", "10", -1}});
    RunDefenseEstimation(form);
    EXPECT_EQ(Estimator.observationCount, 2);
    EXPECT_EQ(Estimator.damage[0], 1208);
    EXPECT_EQ(Estimator.damage[1], 878);
    EXPECT_EQ(Estimator.chainCount[1], 0) << "a chain list without a selection is no chain";
    EXPECT_EQ(form.FullText(IDC_EST_SUMMARY), "計算成功 2データ中 2データ再現");
    EXPECT_EQ(form.FullText(IDC_EST_PREDICTED), "1208  878  ");
}

TEST_F(DefenseEstimation, ChainItemsBecomeChainCounts)
{
    const int expected[] = {0, 2, 3, 4, 5};
    for (int item = 0; item < 5; ++item) {
        Fill({{0, "1", "50", "300", 0, "0", "0", item}});
        RunDefenseEstimation(form);
        EXPECT_EQ(Estimator.chainCount[0], expected[item]) << item;
    }
}

TEST_F(DefenseEstimation, ReadsOnlyAndWritesOnlyItsLabels)
{
    Fill(WorkedRows);
    const MemoryForm before = form;
    RunDefenseEstimation(form);
    for (const ControlDef& def : ControlMap) {
        if (def.id >= IDC_EST_DEFENSE && def.id <= IDC_EST_ALT3_RATES)
            continue;
        EXPECT_EQ(form.FullText(def.id), before.FullText(def.id)) << def.name;
        EXPECT_EQ(form.GetSelection(def.id), before.GetSelection(def.id)) << def.name;
    }
}

TEST_F(DefenseEstimation, UnreproducedRowsCountFromTheRowsOnTheForm)
{
    const struct {
        const char* why;
        std::vector<RowInput> rows;
        std::vector<int> expected;
    } cases[] = {
        {"all reproduced", WorkedRows, {}},
        {"the fourth row mistyped",
         {WorkedRows[0], WorkedRows[1], WorkedRows[2], {3, "1500", "60", "280", 0, "5", "20", 0}}, {4}},
        {"empty rows between",
         {{1, "1208", "50", "300", 0, "10", "10", 0}, {2, "878", "55", "250", 1, "10", "10", 0},
          {3, "1776", "45", "320", 2, "10", "10", 2}, {5, "1500", "60", "280", 0, "5", "20", 0}}, {6}},
        {"no candidate chosen", {{0, "1208", "50", "300", -1, "10", "10", 0}}, {}},
    };
    for (const auto& c : cases) {
        form = MemoryForm();
        Fill(c.rows);
        EXPECT_EQ(UnreproducedRows(RunDefenseEstimation(form)), c.expected) << c.why;
    }
}

// The labels are written from the record in one order: all thirteen
// cleared, then each text in ascending order, the defense first.
TEST_F(DefenseEstimation, WritesTheLabelsInOneOrder)
{
    Fill({{0, "787", "75", "100", 0, "0", "0", 0}});
    RecordingForm recording;
    recording.form = form;
    const Estimate estimate = RunDefenseEstimation(recording, Estimator);
    std::vector<std::string> expected;
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        expected.push_back(std::to_string(id) + "=");
    const auto labels = ResultLabelTexts(estimate);
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        expected.push_back(std::to_string(id) + "=" + labels[static_cast<std::size_t>(id - IDC_EST_DEFENSE)]);
    EXPECT_EQ(recording.writes, expected);
    EXPECT_EQ(estimate.shownCount, 3) << "every label written";
}

} // namespace
