// Text entering an edit field of the page, whichever way it came: a key,
// the input method, a paste or a drop. The core decides what the field
// then holds; the page only hands over the field's text as it would be.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class Form;

// The field's text as it would be, split at the caret, read whole by the
// one rule every number entering a field follows (EnteredNumberText):
// either the field takes the number as that rule writes it, cut at the
// window's limit, with the caret after the same digits, or the text is
// refused and the field keeps what it had.
struct FieldEntry {
    bool accepted;
    std::string text; // ASCII: '-' and digits, or empty
    int caret;        // in text
};
FieldEntry EnterFieldText(std::string_view beforeCaret, std::string_view afterCaret);

// A row the estimation reads (its damage is 1 or more) whose attack or
// technique power is still blank: the player has not typed them yet.
struct IncompleteRow {
    int row;                  // 0-based
    std::vector<int> missing; // the blank fields' IDs, left to right
};
std::vector<IncompleteRow> IncompleteRows(const Form& form);

// The hint that names the fields still to fill ("1行目: 攻撃・技威力を…").
std::string IncompleteHint(const Form& form, const IncompleteRow& row);
