// Cells copied out of a spreadsheet and pasted into an observation row's
// field: each line of the table fills a row, from the row pasted into
// downwards, and each cell a field, from the column pasted into rightwards,
// as a spreadsheet pastes. The lists take the words they show (斬, 3連携)
// or the file's numbers. Texts are in the form's code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Form;

// Whether a paste is such a table: cells separated by tabs, or one column
// of several lines. Lines of blank-separated numbers are an observation
// file's, and one value is typed into the field as it is.
bool IsPastedTable(std::string_view text);

struct PasteResult {
    int firstRow;    // 1-based
    int rowsFilled;
    int cellsUnread; // neither a number nor one of the list's words: left as it was
    int linesBeyond; // lines below the sixth row, not used
};

// Pastes the table at row r (0 to 5), column c (the file's fields, 0 to
// 6). An empty cell gives its field the initial value; a line none of
// whose cells reads (a header) uses no row, and so does a line whose
// cells up to the seventh column take more than MaxTableLineBytes, which
// no spreadsheet's row does. Cells past the seventh column are dropped.
PasteResult PasteTable(Form& form, int r, int c, std::string_view text);

constexpr std::size_t MaxTableLineBytes = 1024;

// The same for a paste read as its bytes arrive, in pieces split anywhere,
// as the page hands over a paste of any length: only the lines that fill
// rows are kept and the rest counted, so memory does not grow with it.
struct TableReader {
    int row, column;          // where the paste goes
    bool tab;                 // a tab anywhere makes it a table
    bool spaced;              // a line with a blank between two values
    int lines;                // lines up to the last one that is not blank
    bool afterCr;             // the last line ended at a CR: an LF next belongs to it
    std::string line;         // the line being read, up to the cells that matter
    int lineTabs;
    bool lineLong;            // those cells take more than MaxTableLineBytes
    bool lineText;            // a byte that is neither a blank nor a tab
    bool lineGap;             // a blank after a value, which a value after it makes spaced
    std::vector<std::string> blanks; // blank lines since the last other one, those that could fill rows
    int blankCount;                  // all of them: trailing ones are no lines
    std::vector<std::string> rows;   // the lines that fill rows
    int linesBeyond;
};

void StartTableRead(TableReader& reader, int r, int c);
void ReadTableBytes(TableReader& reader, const char* bytes, std::size_t size);

// After the last piece: whether the paste is a table, by IsPastedTable's rule.
bool FinishTableRead(TableReader& reader);

// Fills the rows from a finished read, as PasteTable does.
PasteResult PasteTableRead(Form& form, const TableReader& reader);
