#include "cli/Cli.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <streambuf>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#endif
#include <nlohmann/json.hpp>

#include "Version.h"
#include "encoding/TextEncoding.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// With TORUME_JSON_OUT set, every JSON a run prints is also kept there,
// as NUMBER-COMMAND.json, for the schema test to validate.
void KeepJson(const std::vector<const char*>& args, const CliRun& run)
{
    static int kept = 0;
    const char* folder = std::getenv("TORUME_JSON_OUT");
    const bool json = std::find_if(args.begin(), args.end(), [](const char* a) { return std::string(a) == "--json"; }) !=
                      args.end();
    if (!folder || !json || run.status == 2 || args.size() < 2)
        return;
    std::ofstream(std::filesystem::path(folder) / (std::to_string(++kept) + "-" + args[1] + ".json"),
                  std::ios::binary)
        << run.out;
}

CliRun Torume(std::vector<const char*> args)
{
    args.insert(args.begin(), "torume");
    std::ostringstream out, err;
    const int status = RunCli(static_cast<int>(args.size()), args.data(), out, err);
    const CliRun run{status, out.str(), err.str()};
    KeepJson(args, run);
    return run;
}

nlohmann::json Labels(const CliRun& run)
{
    return nlohmann::json::parse(run.out).at("labels");
}

std::string Example(const char* name)
{
    return std::string(TORUME_EXAMPLES) + "/" + name;
}

// A sentence of the message table, its conversions filled in.
template <typename... Args>
std::string Said(MessageId id, Args... args)
{
    return ComposeText(MessageText(id), args...);
}

// The three figures as torume prints them, each under its name.
std::string Figures(int critical, int average, int minimum)
{
    std::string lines;
    for (const auto& [name, value] : {std::pair{MessageId::FigureCritical, critical},
                                      std::pair{MessageId::FigureAverage, average},
                                      std::pair{MessageId::FigureMinimum, minimum}})
        lines += PadToColumns(MessageText(name), 14) + std::to_string(value) + "\n";
    return lines;
}

TEST(TorumeDamage, PrintsTheThreeResultsInUtf8)
{
    const CliRun run = Torume({"damage"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Figures(1170, 780, 585));
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
        {{"damage", "--json", "--attack", "２０", "--defense", "１０"}, "414", "276", "207"}, // input method on
        {{"damage", "--json", "--attack=－５"}, "128", "85", "64"},
        {{"damage", "--json", "--attack", "＋２０", "--defense", "　１０"}, "414", "276", "207"},
        {{"damage", "--json", "--strength", "10", "--charm", "5"}, "1199", "799", "599"},
        {{"damage", "--json", "--power", "abc"}, "0", "0", "0"},
        {{"damage", "--json", "--power", " 7"}, "27", "18", "13"},
        {{"damage", "--json", "--attack", "500"}, "2362", "1575", "1181"},
        {{"damage", "--json", "--attack=-5"}, "128", "85", "64"},
        {{"damage", "--json", "--attack", ""}, "148", "99", "74"},
        {{"damage", "--json", "--attack="}, "148", "99", "74"},
        {{"damage", "--json", "--charm=", "--rate=50"}, "585", "390", "292"},
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
        const nlohmann::json damage = nlohmann::json::parse(run.out).at("damage");
        EXPECT_EQ(damage, (nlohmann::json{{"critical", std::stoll(c.critical)}, {"average", std::stoll(c.average)},
                                          {"minimum", std::stoll(c.minimum)}}));
    }
}

// The enemy's defense and rate taken from a file's estimate: the attacks
// of its rows then show what the estimate predicts for them.
TEST(TorumeDamage, EnemyTakesTheDefenseAndRateOfAFilesEstimate)
{
    const std::string worked = Example("worked-example.txt");
    const std::string boss = Example("boss-second-try.txt");
    const std::string missing = Example("no-such-file.txt");
    const struct {
        std::vector<const char*> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"--attack", "60", "--power", "320", "--strength", "5", "--charm", "20", "--attribute", "突"}, 0, Figures(2175, 1450, 1087), ""},
        {{"--attribute", "斬", "--rate2", "50"}, 0, Figures(585, 390, 292), ""},
        {{"--attribute", "打", "--spell"}, 0, Figures(810, 540, 405), ""},
    };
    for (const auto& c : cases) {
        std::vector<const char*> args = {"damage", "--enemy", worked.c_str()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun run = Torume(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
    const struct {
        std::vector<const char*> args;
        int status;
        std::string err;
    } failures[] = {
        {{"damage", "--enemy", boss.c_str(), "--attribute", "打"}, 1,
         "torume: " + boss + ": " + Said(MessageId::HandOffNoRate, "打") + "\n"},
        {{"damage", "--enemy", missing.c_str(), "--attribute", "斬"}, 1,
         "torume: " + missing + ": " + Said(MessageId::CauseNotFound) + "\n"},
        {{"damage", "--enemy", worked.c_str()}, 2, ""},
        {{"damage", "--attribute", "斬"}, 2, ""},
        {{"damage", "--enemy", worked.c_str(), "--attribute", "炎"}, 2, ""},
        {{"damage", "--enemy", worked.c_str(), "--attribute", "斬", "--defense", "3"}, 2, ""},
        {{"damage", "--enemy", worked.c_str(), "--attribute", "斬", "--rate", "50"}, 2, ""},
    };
    for (const auto& c : failures) {
        const CliRun run = Torume(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(run.out.empty());
        if (!c.err.empty()) {
            EXPECT_EQ(run.err, c.err);
        }
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

TEST(Torume, VersionIsTheProjectVersion)
{
    const CliRun run = Torume({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "torume " TORUME_VERSION "\n");
}

// An output stream whose every write fails, like a full disk.
class FullDisk : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(Torume, OutputThatCannotBeWrittenExitsWithOne)
{
    const std::string file = std::string(TORUME_EXAMPLES) + "/worked-example.txt";
    const std::vector<const char*> cases[] = {
        {"damage"},
        {"damage", "--json"},
        {"estimate", file.c_str()},
        {"estimate", "--json", file.c_str(), file.c_str()},
    };
    for (const auto& args : cases) {
        std::vector<const char*> argv = args;
        argv.insert(argv.begin(), "torume");
        FullDisk full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(RunCli(static_cast<int>(argv.size()), argv.data(), out, err), 1) << args[0];
        EXPECT_NE(err.str().find("cannot write the output"), std::string::npos) << err.str();
    }
}

// iconv natively, the platform's converter on Windows: both give the same.
TEST(Cp932ToUtf8, ConvertsAndMarksInvalidBytes)
{
    const struct {
        const char* cp932;
        const char* utf8;
        const char* what;
    } cases[] = {
        {"\x8E\x61\x81\x40" "1", "斬\u30001", "kanji, ideographic space, ASCII"},
        {"", "", "empty"},
        {"\xB1\xDF", "ｱﾟ", "half-width katakana"},
        {"\x81\x5F\x81\x60", "＼～", "Microsoft's mappings, not JIS's"},
        {"\x87\x40\xFA\x40", "①ⅰ", "NEC and IBM extensions"},
        {"\xF0\x40", "\uE000", "user-defined area to private use"},
        {"a\x82", "a\uFFFD", "truncated lead byte"},
        {"\x81\x7F" "b", "\uFFFD\x7F" "b", "invalid trail byte: only the lead is marked"},
        {"\x80\xA0\xFD\xFF" "b", "\uFFFD\uFFFD\uFFFD\uFFFDb", "single bytes without a character"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.what;
}

} // namespace

namespace {

TEST(TorumeEstimate, JsonHoldsEveryLabelAndTheRows)
{
    const std::string file = Example("many-candidates.txt");
    const CliRun run = Torume({"estimate", "--json", file.c_str()});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json result = nlohmann::json::parse(run.out);
    const nlohmann::json& labels = result.at("labels");
    EXPECT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels.at("1011"), "0");
    EXPECT_EQ(labels.at("1013"), Said(MessageId::Unknown));
    EXPECT_EQ(labels.at("1015"), Said(MessageId::ResultSuccess, 1, 1));
    EXPECT_EQ(labels.at("1017"), Said(MessageId::ResultMore, 26));
    EXPECT_EQ(labels.at("1023"), "1.000\u3000 " + Said(MessageId::Unknown) + " \u3000 " + Said(MessageId::Unknown) + " ");
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

    // Only the reported estimation is traced, not the diagnosis's re-runs.
    const std::string partial = Example("partial-success.txt");
    EXPECT_EQ(Torume({"estimate", "--trace", partial.c_str()}).err, "30, 3\n42, 1\na 30 1.000 0.750 1.250\n");
}

TEST(TorumeEstimate, FilesThatFailExitWithOneAndTheirCause)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string empty = (dir / "torume-comments-only.txt").string();
    std::ofstream(empty) << "# nothing but a comment\n0 50 300 0 0 0 0\n";
    const std::string utf16 = (dir / "torume-utf16.txt").string();
    std::ofstream(utf16, std::ios::binary) << std::string("\xFF\xFE" "1\0" "2\0", 6);
#ifdef _WIN32
    const std::filesystem::path held = dir / "torume-held.txt";
    std::ofstream(held) << "1208 50 300 0 10 10 0\n";
    // Open without sharing, as an editor may hold it.
    const int holder = _wsopen(held.c_str(), _O_RDONLY, _SH_DENYRW);
    ASSERT_NE(holder, -1);
#endif
    const struct {
        std::string file;
        std::string cause;
        const char* code;
    } cases[] = {
        {Example("no-such-file.txt"), Said(MessageId::CauseNotFound), "not-found"},
        {dir.string(), Said(MessageId::CauseIsFolder), "is-a-directory"},
        {empty, Said(MessageId::CauseNoDataRow), "no-data-row"},
        {utf16, Said(MessageId::CauseUtf16, "UTF-16LE"), "utf-16"},
#ifdef _WIN32
        {held.string(), Said(MessageId::CauseInUse), "in-use"},
        {"NUL", Said(MessageId::CauseNotAFile), "not-a-file"},
#endif
    };
    for (const auto& c : cases) {
        CliRun run = Torume({"estimate", c.file.c_str()});
        EXPECT_EQ(run.status, 1) << c.file;
        EXPECT_EQ(run.err, "torume: " + c.file + ": " + c.cause + "\n");
        EXPECT_TRUE(run.out.empty()) << c.file;
        // With --json the failure is JSON on standard output too.
        run = Torume({"estimate", "--json", c.file.c_str()});
        EXPECT_EQ(run.status, 1) << c.file;
        const nlohmann::json json = nlohmann::json::parse(run.out);
        EXPECT_EQ(json.at("file"), c.file);
        EXPECT_EQ(json.at("code"), c.code);
        EXPECT_EQ(json.at("errorText"), c.cause);
    }
    std::filesystem::remove(empty);
    std::filesystem::remove(utf16);
#ifdef _WIN32
    _close(holder);
    std::filesystem::remove(held);
#endif

    EXPECT_EQ(Torume({"estimate"}).status, 2);
}

TEST(TorumeEstimate, SkippedLinesAreReportedWithoutFailing)
{
    const std::string file = (std::filesystem::temp_directory_path() / "torume-skipped.txt").string();
    std::ofstream(file, std::ios::binary) << "\xEF\xBC\x98\xEF\xBC\x97\xEF\xBC\x98 55 250 1 10 10 0\n"
                                          << "1208 50 300 0 10 10 0\r\n1208,50,300,0,10,10,0\n";
    CliRun run = Torume({"estimate", file.c_str()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, file + ":1: " + Said(MessageId::SkipFullWidthDigits) + "\n" + file + ":3: " +
                           Said(MessageId::SkipComma) + "\n");
    EXPECT_NE(run.out.find("防御      30\n"), std::string::npos) << run.out;

    run = Torume({"estimate", "--json", file.c_str()});
    nlohmann::json skipped = nlohmann::json::parse(R"([{"line": 1, "reason": "full-width digits", "code": "full-width-digits"},
                                                        {"line": 3, "reason": "comma between numbers", "code": "comma"}])");
    skipped[0]["text"] = Said(MessageId::SkipFullWidthDigits);
    skipped[1]["text"] = Said(MessageId::SkipComma);
    EXPECT_EQ(nlohmann::json::parse(run.out).at("skipped"), skipped);

    run = Torume({"estimate", file.c_str(), file.c_str()});
    const std::string unknown = Said(MessageId::Unknown);
    EXPECT_NE(run.out.find(file + "\t1\t1\t30\t1.000\t" + unknown + "\t" + unknown + "\t0\t2\n"), std::string::npos)
        << run.out;
    std::filesystem::remove(file);
}

} // namespace

namespace {

nlohmann::json EstimateJson(std::vector<const char*> args)
{
    const CliRun run = Torume(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return nlohmann::json::parse(run.out);
}

// The estimate as numbers, beside the labels that say it in words.
TEST(TorumeEstimate, JsonHoldsTheEstimateAndTheObservationsAsNumbers)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string noSolution = (dir / "torume-no-solution.txt").string();
    std::ofstream(noSolution) << "1 50 300 0 0 0 0\n";
    const std::string missing = (dir / "torume-missing-attribute.txt").string();
    std::ofstream(missing) << "1208 50 300 0 0 0 0\n878 50 300 7 0 0 3\n";
    const struct {
        std::string file;
        const char* estimate;
    } cases[] = {
        {Example("worked-example.txt"),
         R"({"outcome": "success", "observations": 4, "reproduced": 4, "defense": 30, "rates": [1.0, 0.75, 1.25],
             "predicted": [1208, 878, 1776, 1522], "further": [], "furtherCount": 0, "missingAttributeRow": null})"},
        {Example("boss-second-try.txt"),
         R"({"outcome": "partial", "observations": 2, "reproduced": 1, "defense": 92, "rates": [null, null, 0.625],
             "predicted": [null, 240], "further": [], "furtherCount": 0, "missingAttributeRow": null})"},
        {Example("many-candidates.txt"),
         R"({"outcome": "success", "observations": 1, "reproduced": 1, "defense": 0, "rates": [1.0, null, null],
             "predicted": [787], "further": [{"defense": 1, "rates": [1.0, null, null]},
             {"defense": 2, "rates": [1.0, null, null]}, {"defense": 3, "rates": [1.0, null, null]}],
             "furtherCount": 26, "missingAttributeRow": null})"},
        {noSolution,
         R"({"outcome": "no-solution", "observations": 1, "reproduced": 0, "defense": null,
             "rates": [null, null, null], "predicted": [], "further": [], "furtherCount": 0,
             "missingAttributeRow": null})"},
        {missing,
         R"({"outcome": "attribute-missing", "observations": 1, "reproduced": 0, "defense": null,
             "rates": [null, null, null], "predicted": [], "further": [], "furtherCount": 0,
             "missingAttributeRow": 2})"},
    };
    for (const auto& c : cases) {
        const nlohmann::json json = nlohmann::json::parse(Torume({"estimate", "--json", c.file.c_str()}).out);
        EXPECT_EQ(json.at("schema"), 2);
        EXPECT_EQ(json.at("estimate"), nlohmann::json::parse(c.estimate)) << c.file;
    }
    const nlohmann::json json = nlohmann::json::parse(Torume({"estimate", "--json", missing.c_str()}).out);
    EXPECT_EQ(json.at("observations"), nlohmann::json::parse(R"([
        {"row": 1, "damage": 1208, "attack": 50, "power": 300, "attribute": 0, "strength": 0, "charm": 0, "chain": 0},
        {"row": 2, "damage": 878, "attack": 50, "power": 300, "attribute": null, "strength": 0, "charm": 0,
         "chain": 3}])"));
    std::filesystem::remove(noSolution);
    std::filesystem::remove(missing);
}

TEST(TorumeEstimate, DiagnosesEveryRowTheEstimateMisses)
{
    const std::string mistyped = Example("mistyped-row.txt");
    nlohmann::json result = EstimateJson({"estimate", "--json", mistyped.c_str()});
    EXPECT_EQ(result.at("labels").at("1015"), Said(MessageId::ResultPartial, 5, 4));
    ASSERT_EQ(result.at("diagnosis").size(), 1u);
    EXPECT_EQ(result["diagnosis"][0].at("row"), 5);
    EXPECT_EQ(result["diagnosis"][0].at("reproducible"), false);

    const std::string conflicting = Example("partial-success.txt");
    result = EstimateJson({"estimate", "--json", conflicting.c_str()});
    ASSERT_EQ(result.at("diagnosis").size(), 1u);
    const nlohmann::json& row = result["diagnosis"][0];
    EXPECT_EQ(row.at("row"), 4);
    EXPECT_EQ(row.at("reproducible"), true);
    EXPECT_EQ(row.at("without").at("1011"), "30");
    EXPECT_EQ(row.at("without").at("1015"), Said(MessageId::ResultSuccess, 3, 3));
    EXPECT_EQ(row.at("without").at("1016"), "1208  878  1776  ");

    const std::string worked = Example("worked-example.txt");
    result = EstimateJson({"estimate", "--json", worked.c_str()});
    EXPECT_TRUE(result.at("diagnosis").empty());

    const CliRun text = Torume({"estimate", mistyped.c_str()});
    EXPECT_NE(text.out.find("  " + Said(MessageId::RowMistyped, 5)), std::string::npos) << text.out;
}

TEST(TorumeEstimate, ListsEveryCandidateWithTheChosenAndTheTied)
{
    const std::string file = Example("many-candidates.txt");
    const nlohmann::json result = EstimateJson({"estimate", "--json", "--candidates", file.c_str()});
    const nlohmann::json& candidates = result.at("candidates");
    ASSERT_EQ(candidates.size(), 27u);
    EXPECT_EQ(candidates[0].at("chosen"), true);
    EXPECT_EQ(candidates[0].at("tied"), false);
    for (std::size_t k = 1; k < 27; ++k) {
        EXPECT_EQ(candidates[k].at("chosen"), false) << k;
        EXPECT_EQ(candidates[k].at("tied"), true) << k;
        EXPECT_EQ(candidates[k].at("rows"), nlohmann::json::array({1})) << k;
    }
    EXPECT_EQ(candidates[26].at("defense"), 38);
    EXPECT_EQ(candidates[26].at("rates"), nlohmann::json::parse("[1.125, null, null]"));

    const std::string partial = Example("partial-success.txt");
    const CliRun text = Torume({"estimate", "--candidates", partial.c_str()});
    EXPECT_NE(text.out.find("  *       30  1.000  0.750  1.250      3  1 2 3\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("          42  1.125  不明   不明       1  4\n"), std::string::npos) << text.out;
}

// The window's dialog "候補一覧と診断" is checked against the same files.
TEST(TorumeEstimate, CandidatesReportOfEachExampleIsTheExpectedOne)
{
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TORUME_EXAMPLES)) {
        const std::string file = entry.path().string();
        std::ifstream expected(std::filesystem::path(TORUME_EXPECTED_REPORTS) / entry.path().filename(),
                               std::ios::binary);
        ASSERT_TRUE(expected) << "no expected report for " << file;
        const CliRun run = Torume({"estimate", "--candidates", file.c_str()});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, std::string(std::istreambuf_iterator<char>(expected), {})) << file;
        ++examples;
    }
    EXPECT_GE(examples, 5);
}

TEST(TorumeEstimate, BatchReportsEachFileAndGoesOnPastAMissingOne)
{
    const std::string worked = Example("worked-example.txt");
    const std::string missing = Example("no-such-file.txt");
    const std::string many = Example("many-candidates.txt");
    CliRun run = Torume({"estimate", worked.c_str(), missing.c_str(), many.c_str()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(missing), std::string::npos);
    EXPECT_EQ(run.out, "file\tobservations\thits\tdefense\tslash\tstrike\tthrust\tties\tskipped\n" + worked +
                           "\t4\t4\t30\t1.000\t0.750\t1.250\t0\t0\n" + many + "\t1\t1\t0\t1.000\t" +
                           Said(MessageId::Unknown) + "\t" + Said(MessageId::Unknown) + "\t26\t0\n");

    run = Torume({"estimate", "--json", worked.c_str(), missing.c_str()});
    EXPECT_EQ(run.status, 1);
    const nlohmann::json results = nlohmann::json::parse(run.out);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].at("file"), worked);
    EXPECT_EQ(results[0].at("labels").at("1011"), "30");
    EXPECT_EQ(results[1].at("file"), missing);
    EXPECT_TRUE(results[1].contains("error"));

    run = Torume({"estimate", "--candidates", worked.c_str(), many.c_str()});
    EXPECT_EQ(run.status, 2) << "text candidates are for one file";
}

TEST(TorumeEstimate, BatchCountsTheRowsEvenWhenARowStopsTheEstimation)
{
    const std::string unselected = (std::filesystem::temp_directory_path() / "torume-row2-attribute7.txt").string();
    std::ofstream(unselected) << "1208 50 300 0 0 0 0\n878 50 300 7 0 0 0\n1776 50 300 2 0 0 0\n";
    const std::string worked = Example("worked-example.txt");
    const CliRun run = Torume({"estimate", unselected.c_str(), worked.c_str()});
    std::filesystem::remove(unselected);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(unselected + "\t3\t0\t" + Said(MessageId::ResultAttributeMissing, 2)), std::string::npos)
        << run.out;
}

TEST(TorumeEstimate, BatchOutputSurvivesOddFileNames)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows names hold no tab, and arguments arrive as UTF-16";
#endif
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    // A tab in a name would split the table's cell; bytes that are not
    // UTF-8 cannot go into JSON as they are.
    const std::string tabbed = (dir / "torume-a\tb.txt").string();
    std::filesystem::copy_file(Example("worked-example.txt"), tabbed,
                               std::filesystem::copy_options::overwrite_existing);
    const std::string notUtf8 = (dir / "torume-\xff.txt").string();

    CliRun run = Torume({"estimate", tabbed.c_str(), tabbed.c_str()});
    EXPECT_NE(run.out.find("torume-a\\tb.txt\"\t4\t4\t30\t"), std::string::npos) << run.out;

    // Nor may a name forge a line of the report or reach the terminal's
    // escape sequences.
    const std::string forged = (dir / "torume-x\nfile読み込み失敗.txt:2: \x1b]0;title\x07").string();
    const std::string printed = "\"" + (dir / "torume-x\\nfile読み込み失敗.txt:2: \\x1B]0;title\\x07").string() + "\"";
    std::ofstream(forged) << "x\n1208 50 300 0 0 0 0\n";
    run = Torume({"estimate", forged.c_str()});
    EXPECT_EQ(run.err.substr(0, printed.size() + 3), printed + ":1:") << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    std::filesystem::remove(forged);
    run = Torume({"estimate", forged.c_str()});
    EXPECT_EQ(run.err, "torume: " + printed + ": " + Said(MessageId::CauseNotFound) + "\n");

    run = Torume({"estimate", "--json", tabbed.c_str(), notUtf8.c_str()});
    std::filesystem::remove(tabbed);
    EXPECT_EQ(run.status, 1);
    const nlohmann::json results = nlohmann::json::parse(run.out);
    EXPECT_EQ(results.at(0).at("file"), tabbed);
    EXPECT_NE(results.at(1).at("file").get<std::string>().find("\uFFFD"), std::string::npos);
}

// Windows shells pass * and ? as typed; torume.exe expands them in every
// name of the path, keeps the typed folders and separators, and names a
// pattern that matches nothing. The patterns are mostly relative, as typed
// in a console, from a folder made for them. Each goes with the worked
// example, so every run is a batch whose JSON lists what was estimated.
TEST(TorumeEstimate, ExpandsFilePatternsOnWindows)
{
#ifndef _WIN32
    GTEST_SKIP() << "a Unix shell expands the patterns before torume starts";
#else
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "torume-patterns";
    fs::remove_all(dir);
    for (const char* folder : {"pat", "pet", "pit", "ex1", "ex2/sub"})
        fs::create_directories(dir / folder);
    const std::string worked = Example("worked-example.txt");
    for (const char8_t* file : {u8"pat/a.txt", u8"pet/a.txt", u8"pit/b.txt", u8"ex1/x.txt", u8"ex2/y.txt",
                                u8"exfile.txt", u8"a1.txt", u8"a22.txt", u8"観測-관측.txt"})
        fs::copy_file(worked, dir / fs::path(file));
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    const std::string base = WideToUtf8(dir.wstring());
    const std::string drive = WideToUtf8(dir.root_name().wstring()); // "C:"
    const char NoMatch[] = "no file matches the pattern";
    const struct {
        std::string pattern;
        std::vector<std::string> files; // as estimated, in order
        const char* failure;            // of the one failing argument, or null
    } cases[] = {
        {"nomatch*.txt", {"nomatch*.txt"}, NoMatch},
        {"p?t\\a.txt", {"pat\\a.txt", "pet\\a.txt"}, nullptr},
        {"ex*/*.txt", {"ex1/x.txt", "ex2/y.txt"}, nullptr},
        {"a?.txt", {"a1.txt"}, nullptr},
        {"*\\a*.txt", {"pat\\a.txt", "pet\\a.txt"}, nullptr}, // "." is no folder of its own
        {"観?-관측.txt", {"観測-관측.txt"}, nullptr},
        {"nomatch*\\a.txt", {"nomatch*\\a.txt"}, NoMatch},
        {"e?2\\s*", {"e?2\\s*"}, NoMatch}, // a folder is no file
        {drive + "a?.txt", {drive + "a1.txt"}, nullptr},
        {base + "\\ex*\\*.txt", {base + "\\ex1\\x.txt", base + "\\ex2\\y.txt"}, nullptr},
        {"\\\\?\\" + base + "\\a?.txt", {"\\\\?\\" + base + "\\a1.txt"}, nullptr},
        {"missing.txt", {"missing.txt"}, "No such file or directory"},
    };
    for (const auto& c : cases) {
        const CliRun run = Torume({"estimate", "--json", c.pattern.c_str(), worked.c_str()});
        EXPECT_EQ(run.status, c.failure ? 1 : 0) << c.pattern;
        // On standard error in the player's words; in JSON the fixed code.
        const std::string said = Said(c.failure && std::string(c.failure) == NoMatch ? MessageId::CauseNoMatch
                                                                                      : MessageId::CauseNotFound);
        EXPECT_EQ(run.err, c.failure ? "torume: " + c.pattern + ": " + said + "\n" : "");
        nlohmann::json expected = nlohmann::json::array();
        for (const std::string& file : c.files)
            expected.push_back(c.failure ? nlohmann::json{{"file", file}, {"error", c.failure}}
                                         : nlohmann::json{{"file", file}});
        expected.push_back({{"file", worked}});
        nlohmann::json estimated = nlohmann::json::array();
        for (const nlohmann::json& result : nlohmann::json::parse(run.out))
            estimated.push_back(result.contains("error")
                                    ? nlohmann::json{{"file", result.at("file")}, {"error", result.at("error")}}
                                    : nlohmann::json{{"file", result.at("file")}});
        EXPECT_EQ(estimated, expected) << c.pattern;
    }
    fs::current_path(before);
    fs::remove_all(dir);
#endif
}

TEST(TorumeDamage, ExplainShowsTheRoundingOfEachEvaluation)
{
    CliRun run = Torume({"damage", "--explain", "--attack", "20", "--defense", "10"});
    ASSERT_EQ(run.status, 0);
    for (const std::string& line : {PadToColumns(MessageText(MessageId::FigureCritical), 14) + "414\n", std::string("= 413.99999999999994\n"), std::string("= 275.99999999999994\n"),
                             std::string("= 206.99999999999997\n"), std::string("AttackTerm 1.2, DefenseTerm 1.15\n")})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;

    run = Torume({"damage", "--explain", "--json", "--attack", "1", "--defense", "1", "--power", "50"});
    const nlohmann::json critical = nlohmann::json::parse(run.out).at("explain").at("1005");
    EXPECT_EQ(critical.at("attackTerm").get<double>(), 15 * 0.06);
    EXPECT_EQ(critical.at("product").get<double>(), 44.99999999999999);
    EXPECT_EQ(critical.at("damage"), 45);

    run = Torume({"damage", "--explain", "--spell", "--attack", "200"});
    EXPECT_NE(run.out.find("defense 25 (spell mode)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("DefenseTerm 1.4\n"), std::string::npos) << run.out;
}

TEST(Torume, HelpDescribesTheFileFormat)
{
    for (const std::vector<const char*>& args :
         {std::vector<const char*>{"--help"}, std::vector<const char*>{"estimate", "--help"}}) {
        const CliRun run = Torume(args);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("damage attack power attribute strength charm chain"), std::string::npos);
    }
}

} // namespace
