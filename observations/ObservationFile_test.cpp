#include "observations/ObservationFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "estimator/EstimatorState.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"

namespace {

// A row as the form shows it: five texts and two selections.
struct RowState {
    std::string damage, attack, power;
    int attribute;
    std::string strength, charm;
    int chain;
    bool operator==(const RowState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const RowState& r)
{
    return out << '{' << r.damage << ' ' << r.attack << ' ' << r.power << ' ' << r.attribute << ' ' << r.strength
               << ' ' << r.charm << ' ' << r.chain << '}';
}

const RowState EmptyRow = {"0", "", "", 0, "", "", 0};

std::vector<RowState> Rows(const MemoryForm& form)
{
    std::vector<RowState> rows;
    for (int r = 0; r < ObservationRowCount; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        rows.push_back({form.FullText(row.damage), form.FullText(row.attack), form.FullText(row.power),
                        form.GetSelection(row.attribute), form.FullText(row.strength), form.FullText(row.charm),
                        form.GetSelection(row.chain)});
    }
    return rows;
}

// Rows expected after a load: the given ones, then empty rows.
std::vector<RowState> Expect(std::vector<RowState> rows)
{
    rows.resize(ObservationRowCount, EmptyRow);
    return rows;
}

class ObservationFile : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path); }

    LoadResult Load(const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
        return LoadObservationsFromFile(form, path.string().c_str());
    }

    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("torume-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
    MemoryForm form;
};

struct LoadCase {
    const char* why;
    std::string bytes;
    std::vector<RowState> rows; // filled rows; the rest must be empty
};

const std::string Line = "180 50 300 1 12 5 3";
const RowState LineRow = {"180", "50", "300", 1, "12", "5", 2};

// Built by the test that uses them: some cases are megabytes long.
std::vector<LoadCase> LoadCases()
{
    return {
        {"the documented example",
         "# boss, second try\n180 50 300 1 12 5 3\n0 50 300 0 0 0 0\n240 52 300 2 12 5 0\n",
         {LineRow, {"240", "52", "300", 2, "12", "5", 0}}},
        {"CR LF line ends", "# boss\r\n180 50 300 1 12 5 3\r\n0 50 300 0 0 0 0\r\n240 52 300 2 12 5 0\r\n",
         {LineRow, {"240", "52", "300", 2, "12", "5", 0}}},
        {"last line without line end", Line, {LineRow}},
        {"code page 932 comment", "#\x8E\x61\x82\xA0\x5C\n" + Line + "\n", {LineRow}},
        {"negative damage uses up no row", "-5 1 1 0 0 0 0\n" + Line + "\n", {LineRow}},
        {"0x1A ends the file", Line + "\n\x1A" + "240 52 300 2 12 5 0\n", {LineRow}},
        {"0x1A inside a line ends it and the file", Line + "\x1A 9\n240 52 300 2 12 5 0\n", {LineRow}},
        {"empty line", "\n" + Line + "\n\n", {LineRow}},
        {"text line", "damage attack power\n" + Line + "\n", {LineRow}},
        {"# after blanks is no comment, and no data", "  # 180 50 300 1 12 5 3\n" + Line + "\n", {LineRow}},
        {"six numbers", "180 50 300 1 12 5\n" + Line + "\n", {LineRow}},
        {"seventh field not a number", "180 50 300 1 12 5 x\n" + Line + "\n", {LineRow}},
        {"a short line does not repeat the line before", Line + "\n\n200\n", {LineRow}},
        {"sign without digits", "180 50 300 - 12 5 3\n", {}},
        {"text after the seventh number", Line + " trailing words 1 2 3\n", {LineRow}},
        {"tabs and many blanks", "\t180\t\t50  300 1\t12 5    3", {LineRow}},
        {"leading zeros and plus signs", "+0180 007 +300 +1 012 05 +3\n", {{"180", "7", "300", 1, "12", "5", 2}}},
        {"numbers beyond 32 bits saturate",
         "99999999999 -99999999999 2147483648 0 -2147483649 " + std::string(200, '9') + " 0\n",
         {{"2147483647", "-2147483648", "2147483647", 0, "-2147483648", "2147483647", 0}}},
        {"negative values", "5 -50 -300 2 -12 -5 -3\n", {{"5", "-50", "-300", 2, "-12", "-5", 0}}},
        {"attribute and chain codes",
         "1 1 1 3 0 0 1\n2 1 1 -1 0 0 2\n3 1 1 2 0 0 5\n4 1 1 0 0 0 6\n5 1 1 0 0 0 -2147483648\n"
         "6 1 1 2147483647 0 0 2147483647\n",
         {{"1", "1", "1", -1, "0", "0", 0},
          {"2", "1", "1", -1, "0", "0", 1},
          {"3", "1", "1", 2, "0", "0", 4},
          {"4", "1", "1", 0, "0", "0", -1},
          {"5", "1", "1", 0, "0", "0", 0},
          {"6", "1", "1", -1, "0", "0", -1}}},
        {"more than six data lines: the first six",
         "1 1 1 0 0 0 0\n2 1 1 0 0 0 0\n3 1 1 0 0 0 0\n4 1 1 0 0 0 0\n5 1 1 0 0 0 0\n6 1 1 0 0 0 0\n"
         "7 1 1 0 0 0 0\n8 1 1 0 0 0 0\n",
         {{"1", "1", "1", 0, "0", "0", 0},
          {"2", "1", "1", 0, "0", "0", 0},
          {"3", "1", "1", 0, "0", "0", 0},
          {"4", "1", "1", 0, "0", "0", 0},
          {"5", "1", "1", 0, "0", "0", 0},
          {"6", "1", "1", 0, "0", "0", 0}}},
        {"a comment of several megabytes", "#" + std::string(5 << 20, 'x') + "\n" + Line + "\n", {LineRow}},
        {"a data line of several megabytes", Line + std::string(5 << 20, ' ') + "x\r\n" + Line, {LineRow, LineRow}},
        {"NUL bytes end a field", std::string("180 50 300 1 12 5 3\0 9\n", 24) + std::string("1\0 2\n", 5), {LineRow}},
    };
}

TEST_F(ObservationFile, FillsRowsFromDataLines)
{
    for (const LoadCase& c : LoadCases()) {
        form = MemoryForm();
        // Rows typed before a load are emptied by it.
        form.SetText(IDC_OBS_ATTACK_0 + 5, "77");
        form.SetSelection(IDC_OBS_CHAIN_0 + 5, 3);
        const MemoryForm before = form;
        const LoadResult result = Load(c.bytes);
        EXPECT_EQ(result.failure, c.rows.empty() ? LoadFailure::NoDataRow : LoadFailure::None) << c.why;
        EXPECT_EQ(result.rowsFilled, static_cast<int>(c.rows.size())) << c.why;
        EXPECT_EQ(Rows(form), c.rows.empty() ? Rows(before) : Expect(c.rows)) << c.why;
    }
}

// LF, CR LF and a lone CR each end a line, wherever the pieces of the
// file are cut: a CR LF pair split between two pieces is one line end.
TEST(ObservationReader, LineEndsInPiecesOfAnySize)
{
    struct {
        const char* why;
        std::string bytes;
        std::vector<std::string> damages; // of the rows filled, in order
        std::uint64_t lines;
        const char* skipped; // the first skipped line and its reason
    } const cases[] = {
        {"LF", "1 1 1 0 0 0 0\n2 1 1 0 0 0 0\n", {"1", "2"}, 2, ""},
        {"CR LF", "1 1 1 0 0 0 0\r\n2 1 1 0 0 0 0\r\n", {"1", "2"}, 2, ""},
        {"lone CR", "1208 50 300 0 10 10 0\r878 55 250 1 10 10 0\r1776 45 320 2 10 10 3\r", {"1208", "878", "1776"}, 3, ""},
        {"a comment ended by a lone CR", "# comment\r1 1 1 0 0 0 0\r2 1 1 0 0 0 0", {"1", "2"}, 3, ""},
        {"CR CR LF: a lone CR, then CR LF", "1 1 1 0 0 0 0\r\r\n2 1 1 0 0 0 0\r\r\n", {"1", "2"}, 4, ""},
        {"LF CR: two line ends", "1 1 1 0 0 0 0\n\r2 1 1 0 0 0 0", {"1", "2"}, 3, ""},
        {"mixed", "1 1 1 0 0 0 0\n2 1 1 0 0 0 0\r\n3 1 1 0 0 0 0\r4 1 1 0 0 0 0", {"1", "2", "3", "4"}, 4, ""},
        {"a lone CR at the end", "1 1 1 0 0 0 0\r", {"1"}, 1, ""},
        {"a CR inside a line cuts it", "1208 50 300\r0 10 10 0\n5 1 1 0 0 0 0", {"5"}, 3, "1 fewer than seven numbers"},
    };
    for (const auto& c : cases) {
        for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, c.bytes.size()}) {
            ObservationReader reader;
            StartObservationRead(reader);
            for (std::size_t at = 0; at < c.bytes.size(); at += piece)
                ReadObservationBytes(reader, c.bytes.data() + at, std::min(piece, c.bytes.size() - at));
            MemoryForm form;
            EstimatorState state;
            const LoadResult result = FinishObservationRead(form, reader, 0, state);
            std::vector<std::string> damages;
            for (int r = 0; r < result.rowsFilled; ++r)
                damages.push_back(form.FullText(ObservationRowIds(r).damage));
            const std::string skipped = result.skippedKept == 0 ? "" :
                std::to_string(result.skipped[0].line) + " " + SkipReasonText(result.skipped[0].reason);
            EXPECT_EQ(damages, c.damages) << c.why << ", pieces of " << piece;
            EXPECT_EQ(result.lineCount, c.lines) << c.why << ", pieces of " << piece;
            EXPECT_EQ(skipped, c.skipped) << c.why << ", pieces of " << piece;
        }
    }
}

// A filled row is written field by field, the chain list first to "no
// chain" and then, for a count above 0, to the count's item.
TEST(ObservationReader, WritesARowInItsOrder)
{
    struct {
        const char* chain;
        std::vector<std::string> chainWrites;
    } const cases[] = {{"0", {"4009#0"}}, {"1", {"4009#0", "4009#0"}}, {"3", {"4009#0", "4009#2"}},
                       {"6", {"4009#0", "4009#5"}}, {"-4", {"4009#0"}}};
    for (const auto& c : cases) {
        RecordingForm form;
        EstimatorState state;
        ObservationReader reader;
        StartObservationRead(reader);
        const std::string line = "180 50 300 1 12 5 " + std::string(c.chain) + "\n";
        ReadObservationBytes(reader, line.data(), line.size());
        FinishObservationRead(form, reader, 0, state);
        // Six emptied rows of seven writes, then row 0's own writes.
        const std::vector<std::string> rowWrites(form.writes.begin() + 6 * 7, form.writes.begin() + 6 * 7 + 6 +
                                                 static_cast<std::ptrdiff_t>(c.chainWrites.size()));
        std::vector<std::string> expected = {"2003=180", "2009=50", "2015=300", "4003#1", "2023=12", "2029=5"};
        expected.insert(expected.end(), c.chainWrites.begin(), c.chainWrites.end());
        EXPECT_EQ(rowWrites, expected) << "chain " << c.chain;
    }
}

TEST_F(ObservationFile, RunsTheEstimationOnceRowsAreFilled)
{
    Load("# worked example\n1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n1776 45 320 2 10 10 3\n"
         "1522 60 280 0 5 20 0\n");
    EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), "30");
    EXPECT_EQ(form.FullText(IDC_EST_SUMMARY), "計算成功 4データ中 4データ再現");
    EXPECT_EQ(form.FullText(IDC_EST_PREDICTED), "1208  878  1776  1522  ");
}

TEST_F(ObservationFile, AttributeCodeOutOfRangeIsReportedByTheEstimation)
{
    Load("1208 50 300 0 10 10 0\n878 55 250 7 10 10 0\n");
    EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), "2行目の属性が選択されていません");
}

TEST_F(ObservationFile, FileWithoutDataRowIsAFailedLoadThatChangesNothing)
{
    for (const char* bytes : {"", "# only\n# comments\n", "0 1 1 0 0 0 0\n", "\x1A" "180 50 300 1 12 5 3\n"}) {
        form = MemoryForm();
        form.SetText(IDC_OBS_DAMAGE_0, "1208");
        form.SetText(IDC_EST_DEFENSE, "42");
        const MemoryForm before = form;
        const LoadResult result = Load(bytes);
        EXPECT_EQ(result.failure, LoadFailure::NoDataRow);
        EXPECT_EQ(result.rowsFilled, 0);
        EXPECT_EQ(Rows(form), Rows(before)) << bytes;
        EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), "42") << "labels keep an earlier estimation";
    }
}

TEST_F(ObservationFile, FileThatCannotBeOpenedChangesNothing)
{
    form.SetText(IDC_OBS_DAMAGE_0, "1208");
    form.SetText(IDC_EST_DEFENSE, "42");
    const MemoryForm before = form;
    const LoadResult result = LoadObservationsFromFile(form, (path.string() + ".missing").c_str());
    EXPECT_EQ(result.failure, LoadFailure::CannotOpen);
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_EQ(Rows(form), Rows(before));
    EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), "42");
}

// One whole line through the scan: its seven numbers, or false.
bool ParseDataLine(std::string_view line, std::int32_t fields[ObservationFieldCount])
{
    DataLineScan scan;
    StartDataLine(scan);
    FeedDataLine(scan, line.data(), line.data() + line.size());
    if (FinishDataLine(scan) != LineKind::Data)
        return false;
    std::memcpy(fields, scan.fields, sizeof scan.fields);
    return true;
}

TEST(ParseDataLine, NeedsSevenNumbers)
{
    std::int32_t fields[ObservationFieldCount];
    EXPECT_TRUE(ParseDataLine(" 1 -2 +3 4 5 6 7 8", fields));
    EXPECT_EQ(fields[1], -2);
    EXPECT_EQ(fields[6], 7);
    EXPECT_TRUE(ParseDataLine("1-2-3-4-5-6-7", fields)) << "signs separate numbers as in a scanf";
    EXPECT_EQ(fields[6], -7);
    EXPECT_TRUE(ParseDataLine("1208+50+300+0+10+10+0", fields)) << "a plus sign separates them alike";
    EXPECT_EQ(fields[1], 50);
    EXPECT_EQ(fields[6], 0);
    for (const char* line : {"", "1 2 3 4 5 6", "1 2 3 4 5 6 +", "a 1 2 3 4 5 6 7", "1,2,3,4,5,6,7"})
        EXPECT_FALSE(ParseDataLine(line, fields)) << line;
}

#ifdef __GLIBC__
// A stream made on the fly from pieces, each a text or one byte repeated,
// optionally failing at its end; it notes the most heap in use while read.
struct Piece {
    const char* text; // null: `fill` repeated
    char fill;
    std::size_t length;
};

struct MadeStream {
    std::vector<Piece> pieces;
    bool failAtEnd;
    std::size_t index = 0, done = 0, peakHeap = 0;
};

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

ssize_t ReadMadeStream(void* cookie, char* buffer, std::size_t size)
{
    MadeStream& s = *static_cast<MadeStream*>(cookie);
    s.peakHeap = std::max(s.peakHeap, HeapInUse());
    std::size_t n = 0;
    for (; n < size && s.index < s.pieces.size();) {
        const Piece& piece = s.pieces[s.index];
        const std::size_t take = std::min(size - n, piece.length - s.done);
        if (piece.text)
            std::memcpy(buffer + n, piece.text + s.done, take);
        else
            std::memset(buffer + n, piece.fill, take);
        n += take;
        s.done += take;
        if (s.done == piece.length)
            ++s.index, s.done = 0;
    }
    if (n == 0 && s.failAtEnd) {
        errno = EIO;
        return -1;
    }
    return static_cast<ssize_t>(n);
}

LoadResult LoadMadeStream(MemoryForm& form, MadeStream& stream)
{
    std::FILE* file = fopencookie(&stream, "r", {ReadMadeStream, nullptr, nullptr, nullptr});
    const LoadResult result = LoadObservationsFromStream(form, file);
    std::fclose(file);
    return result;
}

TEST(ObservationStream, ALineOfAnyLengthTakesNoMemoryOfItsLength)
{
    const std::string line = "180 50 300 1 12 5 3";
    MadeStream stream{{{nullptr, ' ', 40 << 20}, {line.c_str(), 0, line.size()}, {nullptr, 'x', 40 << 20},
                       {"\n", 0, 1}, {line.c_str(), 0, line.size()}},
                      false};
    MemoryForm form;
    const std::size_t before = HeapInUse();
    const LoadResult result = LoadMadeStream(form, stream);
    EXPECT_EQ(result.rowsFilled, 2);
    EXPECT_LT(stream.peakHeap - std::min(stream.peakHeap, before), std::size_t{1} << 20);
}

TEST(ObservationStream, ReadErrorEndsTheFile)
{
    const std::string line = "180 50 300 1 12 5 3\n";
    MemoryForm form;
    MadeStream withRow{{{line.c_str(), 0, line.size()}, {"24", 0, 2}}, true};
    LoadResult result = LoadMadeStream(form, withRow);
    EXPECT_EQ(result.failure, LoadFailure::None) << "a row before the error loads";
    EXPECT_EQ(result.rowsFilled, 1);
    EXPECT_EQ(result.error, EIO);
    EXPECT_EQ(Rows(form), Expect({LineRow})) << "the line cut by the error is read as it stands";

    MadeStream withoutRow{{{"# comment\n", 0, 10}}, true};
    result = LoadMadeStream(form, withoutRow);
    EXPECT_EQ(result.failure, LoadFailure::ReadFailed);
    EXPECT_EQ(result.error, EIO);
    EXPECT_EQ(Rows(form), Expect({LineRow}));
}
#endif

} // namespace
