#include "cli/Cli.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/TextConversion.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Torume(std::vector<const char*> args)
{
    args.insert(args.begin(), "torume");
    std::ostringstream out, err;
    const int status = RunCli(static_cast<int>(args.size()), args.data(), out, err);
    return {status, out.str(), err.str()};
}

nlohmann::json Labels(const CliRun& run)
{
    return nlohmann::json::parse(run.out).at("labels");
}

TEST(TorumeDamage, PrintsTheThreeResultsInUtf8)
{
    const CliRun run = Torume({"damage"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "クリティカル  1170\n非クリ平均    780\n非クリ最低    585\n");
}

TEST(TorumeDamage, JsonMapsEachWrittenLabelById)
{
    const struct {
        std::vector<const char*> args;
        const char* critical;
        const char* average;
        const char* minimum;
    } cases[] = {
        {{"damage", "--json"}, "1170", "780", "585"},
        {{"damage", "--json", "--attack-up", "--defense-down"}, "1942", "1294", "971"},
        {{"damage", "--json", "--spell", "--attack-up"}, "1544", "1029", "772"},
        {{"damage", "--json", "--spell", "--defense", "99", "--defense-down"}, "1080", "720", "540"},
        {{"damage", "--json", "--rate", "137.5", "--rate2", "50"}, "804", "536", "402"},
        {{"damage", "--json", "--attack", "20", "--defense", "10"}, "414", "276", "207"},
        {{"damage", "--json", "--strength", "10", "--charm", "5"}, "1199", "799", "599"},
        {{"damage", "--json", "--power", "abc"}, "0", "0", "0"},
        {{"damage", "--json", "--power", " 7"}, "27", "18", "13"},
        {{"damage", "--json", "--attack", "500"}, "2362", "1575", "1181"},
        {{"damage", "--json", "--attack=-5"}, "128", "85", "64"},
        {{"damage", "--json", "--attack", ""}, "148", "99", "74"},
        {{"damage", "--json", "--power", "99999999999999999999"}, "2147483647", "2147483647", "2147483647"},
    };
    for (const auto& c : cases) {
        const CliRun run = Torume(c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json labels = Labels(run);
        EXPECT_EQ(labels.size(), 3u);
        EXPECT_EQ(labels.at("1005"), c.critical) << run.out;
        EXPECT_EQ(labels.at("1006"), c.average) << run.out;
        EXPECT_EQ(labels.at("1007"), c.minimum) << run.out;
    }
}

TEST(TorumeDamage, UsageErrorsExitWithTwo)
{
    const std::vector<const char*> cases[] = {
        {},
        {"damage", "--rate", "99"},
        {"damage", "--rate2", "100%"},
        {"damage", "--spell", "--rate2", "100"},
        {"damage", "--bogus"},
        {"damage", "--attack"},
        {"nonsense"},
    };
    for (const auto& args : cases) {
        const CliRun run = Torume(args);
        EXPECT_EQ(run.status, 2) << run.out;
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(TorumeDamage, HelpExitsWithZero)
{
    const CliRun run = Torume({"damage", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--attack-up"), std::string::npos);
}

TEST(Cp932ToUtf8, ConvertsAndMarksInvalidBytes)
{
    EXPECT_EQ(Cp932ToUtf8("\x8E\x61\x81\x40" "1"), "斬\u30001");
    EXPECT_EQ(Cp932ToUtf8(""), "");
    EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\uFFFD") << "truncated lead byte";
    EXPECT_EQ(Cp932ToUtf8("\xFF" "b"), "\uFFFDb");
}

} // namespace

namespace {

std::string Example(const char* name)
{
    return std::string(TORUME_EXAMPLES) + "/" + name;
}

TEST(TorumeEstimate, JsonHoldsEveryLabelAndTheRows)
{
    const std::string file = Example("many-candidates.txt");
    const CliRun run = Torume({"estimate", "--json", file.c_str()});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json result = nlohmann::json::parse(run.out);
    const nlohmann::json& labels = result.at("labels");
    EXPECT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels.at("1011"), "0");
    EXPECT_EQ(labels.at("1013"), "不明");
    EXPECT_EQ(labels.at("1015"), "計算成功 1データ中 1データ再現");
    EXPECT_EQ(labels.at("1017"), "他候補が26 個あります、最大3候補まで表示します");
    EXPECT_EQ(labels.at("1023"), "1.000\u3000 不明 \u3000 不明 ");
    const nlohmann::json& rows = result.at("rows");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (nlohmann::json{{"damage", "787"}, {"attack", "75"}, {"power", "100"}, {"attribute", 0},
                                       {"strength", "0"}, {"charm", "0"}, {"chain", 0}}));
    EXPECT_EQ(rows[5].at("damage"), "0");
    EXPECT_EQ(rows[5].at("attack"), "");
    EXPECT_TRUE(run.err.empty()) << "no trace without --trace";
}

TEST(TorumeEstimate, PrintsTheWorkedExampleReadably)
{
    const std::string file = Example("worked-example.txt");
    const CliRun run = Torume({"estimate", "--trace", file.c_str()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "防御      30\n"
              "倍率      斬 1.000  打 0.750  突 1.250\n"
              "計算成功 4データ中 4データ再現\n"
              "予測      1208  878  1776  1522  \n");
    EXPECT_EQ(run.err, "30, 4\na 30 1.000 0.750 1.250\n");
}

TEST(TorumeEstimate, FilesThatFailExitWithOne)
{
    const std::string missing = Example("no-such-file.txt");
    CliRun run = Torume({"estimate", missing.c_str()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    const std::string empty = (std::filesystem::temp_directory_path() / "torume-comments-only.txt").string();
    std::ofstream(empty) << "# nothing but a comment\n0 50 300 0 0 0 0\n";
    run = Torume({"estimate", empty.c_str()});
    std::filesystem::remove(empty);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("holds no observation"), std::string::npos) << run.err;

    run = Torume({"estimate"});
    EXPECT_EQ(run.status, 2);
}

} // namespace
