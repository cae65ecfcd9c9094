// Cells copied out of a spreadsheet and pasted into an observation row's
// field: each line of the table fills a row, from the row pasted into
// downwards, and each cell a field, from the column pasted into rightwards,
// as a spreadsheet pastes. The lists take the words they show (斬, 3連携)
// or the file's numbers. Texts are in the form's code page.
#pragma once

#include <string_view>

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
// whose cells reads (a header) uses no row. Cells past the seventh column
// are dropped.
PasteResult PasteTable(Form& form, int r, int c, std::string_view text);
