#include "form/IntegerField.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

struct ReadCase {
    const char* why;
    std::string text;
    std::int32_t expected;
};

const ReadCase ReadCases[] = {
    {"empty field", "", 0},
    {"plain number", "50", 50},
    {"leading blank", " 7", 7},
    {"every strtol white space", "\t\n\v\f\r 7", 7},
    {"digits then letters", "12abc", 12},
    {"letters only", "abc", 0},
    {"minus sign", "-5", -5},
    {"plus sign", "+5", 5},
    {"two signs", "+-5", 0},
    {"sign then blank", "- 5", 0},
    {"sign alone", "-", 0},
    {"leading zeros", "00012", 12},
    {"blank inside the digits ends them", "1 2", 1},
    {"largest 32-bit", "2147483647", Max},
    {"one past the largest saturates", "2147483648", Max},
    {"smallest 32-bit", "-2147483648", Min},
    {"one below the smallest saturates", "-2147483649", Min},
    {"64-bit range still saturates at 32 bits", "9223372036854775808", Max},
    {"150 nines", std::string(150, '9'), Max},
    {"200 digits negative", "-" + std::string(200, '1'), Min},
    {"zeros then a small number", std::string(120, '0') + "42", 42},
    {"non-ASCII byte stops the digits", "12\xE3\x81\x82", 12},
    // Typed with the input method on.
    {"full-width digits", "３００", 300},
    {"full-width minus and digits", "－５", -5},
    {"full-width and ASCII digits mixed", "1９9", 199},
    {"full-width digits after blanks", " \t８", 8},
    {"full-width digits saturate", "－" + [] { std::string s; for (int k = 0; k < 20; ++k) s += "９"; return s; }(), Min},
    {"full-width minus in UTF-8 bytes", "\xEF\xBC\x8D\xEF\xBC\x99", -9},
    {"full-width plus", "＋５", 5},
    {"ideographic space", "　５", 5},
    {"ideographic space then a full-width minus", "　　－" "7", -7},
    {"ideographic space inside the digits ends them", "1　2", 1},
    {"full-width plus after a minus", "-＋5", 0},
    {"a character cut short", "\xEF\xBC", 0},
    {"code page 932 bytes are not the program's text", "\x82\x52\x82\x4F", 0},
    {"digits stop at a full-width letter", "５Ａ", 5},
    {"a thousands separator ends the digits, as strtol reads", "1,208", 1},
};

TEST(ReadInteger, FollowsStrtolWithThirtyTwoBitSaturation)
{
    for (const ReadCase& c : ReadCases)
        EXPECT_EQ(ReadInteger(c.text), c.expected) << c.why;
}

// A text entering a field whole, by any path, and a spreadsheet's cell:
// what the field then keeps, or none when it is no number.
TEST(EnteredNumberText, ReadsTheWholeTextGroupedOrFullWidth)
{
    const struct {
        const char* why;
        std::string text;
        std::optional<std::string> kept;
    } cases[] = {
        {"blank", " \t", ""},
        {"thousands separators", "-12,345,678", "-12345678"},
        {"full-width digits and comma", "１，２０８", "1208"},
        {"ideographic spaces around, full-width plus", "　＋５　", "5"},
        {"a group of two", "1,20", std::nullopt},
        {"four digits before a comma", "1208,000", std::nullopt},
        {"words before the digits", "ダメージ1208", std::nullopt},
        {"a blank inside", "1 2", std::nullopt},
        {"a sign alone", "-", std::nullopt},
        {"a character cut short", "1\xEF\xBC", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EnteredNumberText(c.text), c.kept) << c.why;
        // What the field keeps reads, by the window's rule, as the cell's value.
        EXPECT_EQ(ReadWholeNumber(c.text),
                  c.kept && !c.kept->empty() ? std::optional(ReadInteger(*c.kept)) : std::nullopt) << c.why;
    }
}

TEST(ScanInteger, ReportsConversionAndEnd)
{
    IntegerScan scan = ScanInteger("  -12 x");
    EXPECT_TRUE(scan.converted);
    EXPECT_EQ(scan.value, -12);
    EXPECT_EQ(scan.end, 5u);

    scan = ScanInteger("1 2", 1);
    EXPECT_TRUE(scan.converted);
    EXPECT_EQ(scan.value, 2);
    EXPECT_EQ(scan.end, 3u);

    for (const char* text : {"", "   ", "+", "- 1", "x1"}) {
        scan = ScanInteger(text);
        EXPECT_FALSE(scan.converted) << '"' << text << '"';
        EXPECT_EQ(scan.value, 0) << '"' << text << '"';
    }
}

TEST(TruncateToInt32, TruncatesTowardZeroAndSaturates)
{
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {-3.7, -3},
        {0.0, 0},
        {2147483647.9, Max},
        {2147483648.0, Max},
        {3e9, Max},
        {-2147483648.9, Min},
        {-3e9, Min},
        {std::numeric_limits<double>::infinity(), 0},
        {-std::numeric_limits<double>::infinity(), 0},
        {std::nan(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TruncateToInt32(c.value), c.expected) << c.value;
}

} // namespace
