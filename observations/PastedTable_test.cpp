#include "observations/PastedTable.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "estimator/EstimatorState.h"
#include "form/MemoryForm.h"
#include "observations/ObservationFile.h"

namespace {

// Row r as "damage attack power attribute strength charm chain", the lists
// as their selected indices.
std::string Row(const MemoryForm& form, int r)
{
    const ObservationRow ids = ObservationRowIds(r);
    std::string row;
    for (int ObservationRow::*field : ObservationFields) {
        const int id = ids.*field;
        const bool list = field == &ObservationRow::attribute || field == &ObservationRow::chain;
        row += (row.empty() ? "" : " ") + (list ? std::to_string(form.GetSelection(id)) : std::string(form.GetText(id).View()));
    }
    return row;
}

void ExpectResult(const PasteResult& result, int firstRow, int rowsFilled, int cellsUnread, int linesBeyond)
{
    EXPECT_EQ(result.firstRow, firstRow);
    EXPECT_EQ(result.rowsFilled, rowsFilled);
    EXPECT_EQ(result.cellsUnread, cellsUnread);
    EXPECT_EQ(result.linesBeyond, linesBeyond);
}

TEST(PastedTable, TabsOrOneColumnMakeATableWhileFileLinesAndOneValueDoNot)
{
    EXPECT_TRUE(IsPastedTable("1208\t50"));
    EXPECT_TRUE(IsPastedTable("1208\t50\t300\t斬\t10\t10\t連携無し\r\n"));
    EXPECT_TRUE(IsPastedTable("1208\r\n878\r\n1776\r\n"));
    EXPECT_TRUE(IsPastedTable("斬\n打\n"));
    EXPECT_FALSE(IsPastedTable("1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n"));
    EXPECT_FALSE(IsPastedTable("1208"));
    EXPECT_FALSE(IsPastedTable("1208\n"));
    EXPECT_FALSE(IsPastedTable("1 2"));
}

// What a spreadsheet holds: the words the lists show, a line end after
// each row, CR LF from Windows.
TEST(PastedTable, SpreadsheetRowsFillTheRowPastedIntoAndTheOnesBelow)
{
    MemoryForm form;
    const PasteResult result = PasteTable(form, 1, 0, "1208\t50\t300\t斬\t10\t10\t連携無し\r\n"
                                                      "1776\t45\t320\t突\t10\t10\t3連携\r\n");
    ExpectResult(result, 2, 2, 0, 0);
    EXPECT_EQ(Row(form, 0), "0   0   0");
    EXPECT_EQ(Row(form, 1), "1208 50 300 0 10 10 0");
    EXPECT_EQ(Row(form, 2), "1776 45 320 2 10 10 2");
    EXPECT_EQ(Row(form, 3), "0   0   0");
}

// The same rows as the file loader fills them, so they estimate alike: the
// lists also take the file's numbers, a chain count included.
TEST(PastedTable, FileNumbersInTheListColumnsGiveTheLoadersRows)
{
    const std::string file = "1208 50 300 0 10 10 0\n878 55 250 1 10 10 1\n1776 45 320 2 10 10 3\n"
                             "1522 60 280 0 5 20 0\n999 1 1 7 0 0 9\n";
    MemoryForm loaded;
    EstimatorState state;
    ObservationReader reader;
    StartObservationRead(reader);
    ReadObservationBytes(reader, file.data(), file.size());
    FinishObservationRead(loaded, reader, 0, state);

    std::string table = file;
    for (char& c : table)
        c = c == ' ' ? '\t' : c;
    MemoryForm pasted;
    ExpectResult(PasteTable(pasted, 0, 0, table), 1, 5, 0, 0);
    for (int r = 0; r < ObservationRowCount; ++r)
        EXPECT_EQ(Row(pasted, r), Row(loaded, r)) << r;
}

TEST(PastedTable, CellsStartAtTheColumnPastedIntoAndStopAtTheLast)
{
    MemoryForm form;
    ExpectResult(PasteTable(form, 0, 1, "55\t250\t打\n60\t280"), 1, 2, 0, 0);
    EXPECT_EQ(Row(form, 0), "0 55 250 1   0");
    EXPECT_EQ(Row(form, 1), "0 60 280 0   0");
    ExpectResult(PasteTable(form, 0, 6, "2連携\t99\t99"), 1, 1, 0, 0);
    EXPECT_EQ(Row(form, 0), "0 55 250 1   1");
}

// A header line uses no row; grouped and full-width digits read; an empty cell gives the
// initial value; a word that is no item is left out and counted.
TEST(PastedTable, HeadersEmptyCellsAndWordsThatDoNotRead)
{
    MemoryForm form;
    form.SetText(IDC_OBS_POWER_0, "300");
    form.SetText(IDC_OBS_ATTACK_0, "50");
    const PasteResult result = PasteTable(form, 0, 0, "クリダメ\t攻撃\t技威力\t属性\n 1,208 \t\tabc\t炎\n");
    ExpectResult(result, 1, 1, 2, 0);
    EXPECT_EQ(Row(form, 0), "1208  300 0   0");
    EXPECT_EQ(PasteTable(form, 0, 0, "1,20\t12,345,6\t5").cellsUnread, 2);
    // Read as a number typed into a field is: full-width digits too.
    ExpectResult(PasteTable(form, 1, 0, "１，２０８\t５５\t３００\t打"), 2, 1, 0, 0);
    EXPECT_EQ(Row(form, 1), "1208 55 300 1   0");
}

TEST(PastedTable, LinesBelowTheSixthRowAreCounted)
{
    MemoryForm form;
    ExpectResult(PasteTable(form, 4, 0, "1\n2\n3\n4\n"), 5, 2, 0, 2);
    EXPECT_EQ(Row(form, 4), "1   0   0");
    EXPECT_EQ(Row(form, 5), "2   0   0");
}

} // namespace

// A paste handed over in pieces split anywhere, inside a CR LF or a
// character too, reads as the whole text: every line below the rows is
// counted, blank lines fill rows only between others, and a line too long
// for a row fills none.
TEST(PastedTable, APasteReadInPiecesCountsEveryLine)
{
    std::string many = "1208\t50\r\n";
    for (int k = 1; k < 416660; ++k)
        many += "878\r\n";
    const struct {
        std::string text;
        int r, c;
        bool table;
        int rowsFilled, linesBeyond;
    } cases[] = {
        {many, 0, 0, true, 6, 416654},
        {many, 5, 0, true, 1, 416659},
        {"1\n\n\t\n2\n\n \n\t\n", 0, 0, true, 4, 0},
        {"1\n\n\t\n2\n\n \n\t\n", 4, 0, true, 2, 2},
        {"1208\t" + std::string(2000, '5') + "\n878\t55", 0, 0, true, 1, 0},
        {"斬\r\n打\r\n", 2, 3, true, 2, 0},
        {"1208 50 300 0 10 10 0\n878 55 250 1 10 10 0\n", 0, 0, false, 0, 0}, // no cell reads
    };
    for (const auto& c : cases) {
        MemoryForm whole;
        ExpectResult(PasteTable(whole, c.r, c.c, c.text), c.r + 1, c.rowsFilled, 0, c.linesBeyond);
        EXPECT_EQ(IsPastedTable(c.text), c.table);
        for (std::size_t piece : {1, 2, 3, 7}) {
            MemoryForm form;
            TableReader reader;
            StartTableRead(reader, c.r, c.c);
            for (std::size_t at = 0; at < c.text.size(); at += piece)
                ReadTableBytes(reader, c.text.data() + at, std::min(piece, c.text.size() - at));
            EXPECT_EQ(FinishTableRead(reader), c.table) << piece;
            ExpectResult(PasteTableRead(form, reader), c.r + 1, c.rowsFilled, 0, c.linesBeyond);
            for (int r = 0; r < ObservationRowCount; ++r)
                EXPECT_EQ(Row(form, r), Row(whole, r)) << piece;
        }
    }
}
