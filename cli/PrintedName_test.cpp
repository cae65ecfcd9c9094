#include "cli/PrintedName.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(PrintedName, QuotesOnlyWhatATerminalOrAReaderWouldMisread)
{
    const struct {
        std::string name;
        const char* printed;
    } cases[] = {
        {"worked-example.txt", "worked-example.txt"},
        {"examples\\a\\tb.txt", "examples\\a\\tb.txt"}, // Windows' separators stay as they are
        {"観測データ 😀.txt", "観測データ 😀.txt"},
        {"a\tb.txt", "\"a\\tb.txt\""},                 // unlike the backslash and t above
        {"x\nfile読み込み失敗.txt:2: x", "\"x\\nfile読み込み失敗.txt:2: x\""},
        {"a\r.txt", "\"a\\r.txt\""},
        {"\x1b]0;title\x07\x1b[31m.txt", "\"\\x1B]0;title\\x07\\x1B[31m.txt\""},
        {"del\x7f.txt", "\"del\\x7F.txt\""},
        {"csi\xc2\x9b" "31m.txt", "\"csi\\u009B31m.txt\""},
        {"nbsp\xc2\xa0.txt", "nbsp\xc2\xa0.txt"},       // past the C1 range: printable
        {"bad\xff.txt", "\"bad\\xFF.txt\""},
        {"cut\xe3\x81.txt", "\"cut\\xE3\\x81.txt\""},
        {"overlong\xc0\x80.txt", "\"overlong\\xC0\\x80.txt\""},
        {"surrogate\xed\xa0\x80.txt", "\"surrogate\\xED\\xA0\\x80.txt\""},
        {"\"quoted\".txt", "\"\\\"quoted\\\".txt\""}, // a leading quote would pass for a quoted name
        {"mid\"quote.txt", "mid\"quote.txt"},
        {"tab\tand\\back", "\"tab\\tand\\\\back\""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintedName(c.name), c.printed) << c.printed;
}

} // namespace
