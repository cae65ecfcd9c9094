// Everything a user or a damaged file can produce, through the loader and
// the two commands: each input gets its defined rows and labels, and
// nothing else of the form changes.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "damage/DamageCalculation.h"
#include "estimator/DefenseEstimation.h"
#include "form/MemoryForm.h"
#include "form/testing/FormTesting.h"
#include "observations/ObservationFile.h"

namespace {

bool IsEstimateLabel(int id)
{
    return id >= IDC_EST_DEFENSE && id <= IDC_EST_ALT3_RATES;
}

// Controls other than the rows and the estimate labels are as before.
void ExpectOnlyRowsAndLabelsChanged(const MemoryForm& form, const MemoryForm& before, const std::string& why)
{
    for (const ControlDef& def : ControlMap) {
        if (IsObservationRowControl(def.id) || IsEstimateLabel(def.id))
            continue;
        EXPECT_EQ(form.FullText(def.id), before.FullText(def.id)) << why << ", " << def.name;
        EXPECT_EQ(form.GetSelection(def.id), before.GetSelection(def.id)) << why << ", " << def.name;
        EXPECT_EQ(form.GetCheck(def.id), before.GetCheck(def.id)) << why << ", " << def.name;
    }
}

LoadResult LoadBytes(MemoryForm& form, const std::string& bytes)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    const LoadResult result = LoadObservationsFromStream(form, file);
    std::fclose(file);
    return result;
}

std::string Garbage(std::size_t size)
{
    // Every byte value, no line end: a damaged binary file.
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>((i * 151 + 7) % 256);
        bytes[i] = c == '\n' || c == '\r' ? '\0' : c;
    }
    return bytes;
}

// ASCII text in UTF-16 with its byte-order mark.
std::string Utf16(const std::string& text, bool littleEndian)
{
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text)
        bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

struct FileCase {
    const char* why;
    std::string bytes;
    int filled;             // 0: a failed load that leaves the rows as typed
    const char* defense;    // IDC_EST_DEFENSE afterwards
    const char* firstRow;   // row 0 as "damage attack power attribute strength charm chain", or null
    const char* skipped;    // the reported lines as "LINE reason; ..."
    const char* encoding = nullptr; // refused
};

const std::string Row = "1208 50 300 0 10 10 0";
const std::string Rows7 = Row + "\n" + Row + "\n" + Row + "\n" + Row + "\n" + Row + "\n" + Row + "\n" + Row + "\n";

// Built by the test that uses them: some cases are megabytes long.
std::vector<FileCase> FileCases()
{
    return {
        {"binary garbage", Garbage(4096), 0, "earlier", nullptr, "1 not a number"},
        {"binary garbage with line ends", Garbage(4096) + "\n" + Garbage(300) + "\n", 0, "earlier", nullptr, "1 not a number"},
        {"NUL inside a data line", std::string("1208 50\0 300 0 10 10 0\n", 23), 0, "earlier", nullptr, "1 not a number"},
        {"NUL after the seventh number", std::string("1208 50 300 0 10 10 0\0junk\n", 27), 1, "30", "1208 50 300 0 10 10 0", ""},
        {"0x1A in the middle", Row + "\n\x1A" + Row + "\n" + Row + "\n", 1, "30", "1208 50 300 0 10 10 0", ""},
        {"only CRs", std::string(1000, '\r'), 0, "earlier", nullptr, ""},
        {"CRs then a data line", std::string(10, '\r') + "\n" + Row + "\r\r\n", 1, "30", "1208 50 300 0 10 10 0", ""},
        {"a line of megabytes of digits", std::string(3 << 20, '9') + " 50 300 0 10 10 0\n", 1, "解が見つかりません",
         "2147483647 50 300 0 10 10 0", ""},
        {"numbers of 200 digits", "1208 " + std::string(200, '9') + " -" + std::string(200, '9') + " 0 10 10 0\n", 1,
         "解が見つかりません", "1208 2147483647 -2147483648 0 10 10 0", ""},
        {"signs without digits", "- + - + - + -\n+ 50 300 0 10 10 0\n", 0, "earlier", nullptr,
         "1 not a number; 2 not a number"},
        {"attribute below the list", "1208 50 300 -1 10 10 0\n", 1, "1行目の属性が選択されていません",
         "1208 50 300 -1 10 10 0", ""},
        {"attribute past the list", Row + "\n1208 50 300 2147483647 10 10 0\n", 2, "2行目の属性が選択されていません",
         "1208 50 300 0 10 10 0", ""},
        {"chain past the list counts as no chain", "1208 50 300 0 10 10 6\n", 1, "30", "1208 50 300 0 10 10 -1", ""},
        {"negative chain is no chain", "1208 50 300 0 10 10 -2147483648\n", 1, "30", "1208 50 300 0 10 10 0", ""},
        {"negative values in every field", "-5 -50 -300 -1 -12 -5 -3\n", 0, "earlier", nullptr, ""},
        {"negative values but the damage", "5 -50 -300 0 -12 -5 -3\n", 1, "解が見つかりません", "5 -50 -300 0 -12 -5 0", ""},
        {"every field at the top of the range: the damage saturates too",
         "2147483647 2147483647 2147483647 0 2147483647 2147483647 5\n", 1, "0",
         "2147483647 2147483647 2147483647 0 2147483647 2147483647 4", ""},
        {"UTF-8 byte-order mark at the start", "\xEF\xBB\xBF" + Row + "\n", 1, "30", "1208 50 300 0 10 10 0", ""},
        {"a byte-order mark further on is no mark", Row + "\n\xEF\xBB\xBF" + Row + "\n", 1, "30", "1208 50 300 0 10 10 0",
         "2 not a number"},
        {"UTF-16 little-endian", Utf16(Row + "\r\n", true), 0, "earlier", nullptr, "", "UTF-16LE"},
        {"UTF-16 big-endian", Utf16(Row + "\r\n", false), 0, "earlier", nullptr, "", "UTF-16BE"},
        {"UTF-16 little-endian mark before data lines", "\xFF\xFE\n" + Row + "\n", 1, "30", "1208 50 300 0 10 10 0",
         "1 not a number"},
        {"UTF-16 big-endian mark on a data line", "\xFE\xFF" + Row + "\r" + Row, 1, "30", "1208 50 300 0 10 10 0",
         "1 not a number"},
        {"full-width digits, Shift-JIS and UTF-8",
         "\x82\x50\x82\x51\x82\x4F\x82\x58 50 300 0 10 10 0\n1208 \xEF\xBC\x95\xEF\xBC\x90 300 0 10 10 0\n" + Row, 1, "30",
         "1208 50 300 0 10 10 0", "1 full-width digits; 2 full-width digits"},
        {"full-width space, Shift-JIS and UTF-8", "1208\x81\x40" "50 300 0 10 10 0\r\n1208\xE3\x80\x80" "50\r\n", 0, "earlier",
         nullptr, "1 full-width space; 2 full-width space"},
        {"commas between numbers", "1208,50,300,0,10,10,0\n1208, 50, 300, 0, 10, 10, 0\n,1208\n", 0, "earlier", nullptr,
         "1 comma between numbers; 2 comma between numbers; 3 not a number"},
        {"fewer than seven numbers", "1208 50 300 0 10 10\r\n\n1208\t\n1208 -", 0, "earlier", nullptr,
         "1 fewer than seven numbers; 3 fewer than seven numbers; 4 not a number"},
        {"words, and a # after blanks", "damage attack power\n  # 1208 50 300 0 10 10 0\n" + Row, 1, "30",
         "1208 50 300 0 10 10 0", "1 not a number; 2 not a number"},
        {"seventh data line: reported as ignored", "# seven\n" + Rows7 + "0 50 300 0 10 10 0\n", 6, "30",
         "1208 50 300 0 10 10 0", "8 more than six data lines: ignored"},
        {"only comments, blank lines and damages below 1", "# a\n\n \t\v\f\r\n#\n0 50 300 0 10 10 0\n", 0, "earlier", nullptr,
         ""},
        {"empty file", "", 0, "earlier", nullptr, ""},
    };
}

std::string RowText(const MemoryForm& form, int r)
{
    const ObservationRow row = ObservationRowIds(r);
    return form.FullText(row.damage) + " " + form.FullText(row.attack) + " " + form.FullText(row.power) + " " +
           std::to_string(form.GetSelection(row.attribute)) + " " + form.FullText(row.strength) + " " +
           form.FullText(row.charm) + " " + std::to_string(form.GetSelection(row.chain));
}

std::string SkippedText(const LoadResult& result)
{
    std::string text;
    for (int k = 0; k < result.skippedKept; ++k)
        text += (k ? "; " : "") + std::to_string(result.skipped[k].line) + " " +
                SkipReasonText(result.skipped[k].reason);
    return text;
}

TEST(BadInput, FilesGetTheirDefinedRowsAndLabels)
{
    for (const FileCase& c : FileCases()) {
        MemoryForm form;
        form.SetText(IDC_ATTACK, "77");
        form.SetCheck(IDC_SPELL_MODE, true);
        form.SetText(IDC_EST_DEFENSE, "earlier");
        form.SetText(IDC_OBS_DAMAGE_0 + 5, "878"); // typed before the load
        const MemoryForm before = form;

        const LoadResult result = LoadBytes(form, c.bytes);
        EXPECT_EQ(result.rowsFilled, c.filled) << c.why;
        const LoadFailure failure =
            c.encoding ? LoadFailure::Utf16 : (c.filled > 0 ? LoadFailure::None : LoadFailure::NoDataRow);
        EXPECT_EQ(result.failure, failure) << c.why;
        EXPECT_STREQ(result.encoding ? result.encoding : "", c.encoding ? c.encoding : "") << c.why;
        EXPECT_EQ(SkippedText(result), c.skipped) << c.why;
        EXPECT_EQ(form.FullText(IDC_EST_DEFENSE), c.defense) << c.why;
        if (c.firstRow) {
            EXPECT_EQ(RowText(form, 0), c.firstRow) << c.why;
        }
        // A failed load leaves the rows as typed; a load empties those it does not fill.
        for (int r = c.filled; r < ObservationRowCount; ++r)
            EXPECT_EQ(RowText(form, r), c.filled ? "0   0   0" : RowText(before, r)) << c.why << ", row " << r;
        ExpectOnlyRowsAndLabelsChanged(form, before, c.why);
    }
}

TEST(BadInput, MillionsOfBadLinesAreCountedNotKept)
{
    std::string bytes;
    for (int k = 0; k < 1000000; ++k)
        bytes += "x\n";
    MemoryForm form;
    const LoadResult result = LoadBytes(form, bytes + Row);
    EXPECT_EQ(result.rowsFilled, 1);
    EXPECT_EQ(result.skippedCount, 1000000u);
    ASSERT_EQ(result.skippedKept, MaxSkippedLines);
    EXPECT_EQ(result.skipped[MaxSkippedLines - 1].line, static_cast<std::uint64_t>(MaxSkippedLines));
    EXPECT_EQ(result.lineCount, 1000001u);
}

TEST(BadInput, CalculatorFieldsOfAnyBytesGiveThreeNumbers)
{
    const std::string texts[] = {Garbage(99), Garbage(150), std::string(200, '9'), "-" + std::string(200, '9'),
                                 "\t\n\v\f\r-0", "+-", std::string("5\0" "9", 3), "\x82\x4f\x82\x50"};
    for (const std::string& text : texts) {
        for (int id : {IDC_ATTACK, IDC_POWER, IDC_DEFENSE, IDC_STRENGTH, IDC_CHARM}) {
            MemoryForm form;
            form.SetText(id, text);
            form.SetCheck(IDC_ATTACK_UP, true);
            form.SetCheck(IDC_DEFENSE_DOWN, true);
            form.SetSelection(IDC_ATTR_RATE, -1); // no selection: the rate of index -1
            const MemoryForm before = form;
            RunDamageCalculation(form);
            for (int label : {IDC_RESULT_CRIT, IDC_RESULT_AVG, IDC_RESULT_MIN}) {
                const std::string result = form.FullText(label);
                EXPECT_EQ(std::to_string(ReadInteger(result)), result) << id;
            }
            for (const ControlDef& def : ControlMap) {
                if (def.id < IDC_RESULT_CRIT || def.id > IDC_RESULT_MIN) {
                    EXPECT_EQ(form.FullText(def.id), before.FullText(def.id)) << def.name;
                }
            }
        }
    }
}

TEST(BadInput, ObservationRowsOfAnyBytesAreEstimatedOrReported)
{
    const std::string texts[] = {Garbage(99), std::string(150, '9'), "-1", "", "\r\r", "0x10"};
    for (const std::string& text : texts) {
        MemoryForm form;
        for (int r = 0; r < ObservationRowCount; ++r) {
            const ObservationRow row = ObservationRowIds(r);
            for (int id : {row.damage, row.attack, row.power, row.strength, row.charm})
                form.SetText(id, text);
            form.SetSelection(row.chain, -1);
        }
        const MemoryForm before = form;
        RunDefenseEstimation(form);
        const std::string defense = form.FullText(IDC_EST_DEFENSE);
        EXPECT_FALSE(defense.empty());
        ExpectOnlyRowsAndLabelsChanged(form, before, "row text");
        for (int r = 0; r < ObservationRowCount; ++r)
            EXPECT_EQ(RowText(form, r), RowText(before, r)) << "rows are only read";
    }
}

} // namespace
