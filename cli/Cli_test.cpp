#include "cli/Cli.h"

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
