#include "observations/DataLineScan.h"

#include <algorithm>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "form/IntegerField.h"

namespace {

// Seven numbers read one after the other as an integer field reads its
// text: what a data line has always meant.
bool SevenIntegers(std::string_view line, std::int32_t fields[ObservationFieldCount])
{
    std::size_t position = 0;
    for (int f = 0; f < ObservationFieldCount; ++f) {
        const IntegerScan scan = ScanInteger(line, position);
        if (!scan.converted)
            return false;
        fields[f] = scan.value;
        position = scan.end;
    }
    return true;
}

DataLineScan ScanInPieces(const std::string& line, std::size_t piece, LineKind& kind)
{
    DataLineScan scan;
    StartDataLine(scan);
    for (std::size_t at = 0; at < line.size(); at += piece)
        FeedDataLine(scan, line.data() + at, line.data() + std::min(at + piece, line.size()));
    kind = FinishDataLine(scan);
    return scan;
}

TEST(DataLineScan, PiecesOfAnySizeReadAsTheWholeLineAndAsTheIntegerFields)
{
    const std::string lines[] = {
        " 1 -2 +3 4 5 6 7 8", "1-2-3-4-5-6-7", "\t180\v50\f300 1 12 5 3x", "+0180 007 +300 +1 012 05 +3",
        "99999999999 -99999999999 2147483648 0 -2147483649 " + std::string(40, '9') + " 0",
        "-2147483648 2147483647 -0 +0 00000000000000000000001 2 3", "1 2 3 4 5 6", "1 2 3 4 5 6 +", "1 2 3 4 5 6 -x",
        "1,2,3,4,5,6,7", "\x82\x57\x82\x56 1 2 3 4 5 6", "1 \xEF\xBC\x91 2", "1\x81\x40 2", "1 \xE3\x80\x80", "1 \x82",
        "#1 2 3 4 5 6 7", " #1 2 3 4 5 6 7", "", " \t\v\f", std::string("1 2\0 3 4 5 6 7", 14)};
    for (const std::string& line : lines) {
        LineKind whole;
        const DataLineScan expected = ScanInPieces(line, line.size() + 1, whole);
        std::int32_t fields[ObservationFieldCount];
        const bool seven = SevenIntegers(line, fields);
        EXPECT_EQ(whole == LineKind::Data, seven) << line;
        for (int f = 0; seven && f < ObservationFieldCount; ++f)
            EXPECT_EQ(expected.fields[f], fields[f]) << line << ", field " << f;
        for (std::size_t piece : {1, 2, 3}) {
            LineKind kind;
            const DataLineScan scan = ScanInPieces(line, piece, kind);
            EXPECT_EQ(kind, whole) << line << ", pieces of " << piece;
            EXPECT_EQ(scan.reason, expected.reason) << line << ", pieces of " << piece;
            for (int f = 0; seven && f < ObservationFieldCount; ++f)
                EXPECT_EQ(scan.fields[f], fields[f]) << line << ", pieces of " << piece;
        }
    }
}

} // namespace
