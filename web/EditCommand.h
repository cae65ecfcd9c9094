// What an edit on the page does: what it reruns, so that no result on
// screen is older than the controls, what a spin arrow writes, and where
// a paste goes.
#pragma once

#include <optional>
#include <string>

class Form;
struct TableReader;

// The command that brings up to date what an edit of the control changes
// (the page reruns it on every edit): the run button of the control's
// panel; for the spell-mode box, which stands in the window above both
// panels and rewrites the calculator's header, the calculator's. 0 for a
// control whose edits change nothing.
int RecomputeCommandOf(int id);

// The text a spin button's arrow (delta +1 or -1) gives its buddy field:
// the field's integer, read as every numeric input is, stepped within the
// spin button's range. Empty for an ID that is no spin button.
std::string SteppedText(const Form& form, int spinId, int delta);

// The observation row (0 to 5) and column (the file's fields, 0 to 6) of
// a row's control; none for any other control.
struct RowPlace {
    int row, column;
};
std::optional<RowPlace> RowPlaceOf(int id);

// Where a paste into a control goes, decided from the paste read whole
// (table: FinishTableRead's verdict): a table pasted into an observation
// row fills the rows from there, and one pasted outside the controls (id
// 0: the page, the paste box) fills them from the first; one value goes
// into an edit field as typed; anything else (lines or several numbers,
// or a paste into another control) loads as an observation file.
enum class PasteKind { Value, Table, File };

PasteKind PasteKindOf(int id, bool table, const TableReader& finished);

// The names the page knows the outcomes by.
const char* PasteKindName(PasteKind kind);
