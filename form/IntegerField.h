// Reading an integer from a field's text, the way every numeric input of
// the program is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// strtol semantics with base 10 on the whole text given: leading white
// space (blank, \t, \n, \v, \f, \r) is skipped, an optional sign taken,
// then decimal digits up to the first other byte. No digits give 0; values
// beyond the 32-bit signed range saturate on every platform. Full-width
// digits, the full-width plus and minus and the ideographic space read as
// their ASCII forms.
std::int32_t ReadInteger(std::string_view text);

// The text with its full-width digits, signs, commas and spaces made
// ASCII, up to the first other non-ASCII byte, where any reading of a
// number stops; *whole tells whether there was none.
std::string FoldFullWidth(std::string_view text, bool* whole = nullptr);

// A text entering a field (typed, pasted, dropped or given by the input
// method) or a spreadsheet's cell, read whole as one number: white space
// around it, an optional sign, then digits, which commas may group in
// threes (1,208); full-width digits, signs, commas and spaces stand for
// their ASCII forms. Returns the number as the field keeps it, '-' and
// the digits, which ReadInteger reads to its value; empty for a blank
// text; none when the text is no such number (1,2, 12ab, ダメージ1208).
std::optional<std::string> EnteredNumberText(std::string_view text);

// A cell's value by the same rule; none for a blank cell too.
std::optional<std::int32_t> ReadWholeNumber(std::string_view text);

// The same reading of ASCII alone, reporting whether any digit was read and
// where the number ended. The observation file's line scan reads its
// numbers by this rule, byte by byte as they arrive, and is tested against
// it; full-width digits are a fault it reports.
struct IntegerScan {
    std::int32_t value;
    bool converted;
    std::size_t end; // offset just past the last byte taken
};
IntegerScan ScanInteger(std::string_view text, std::size_t from = 0);

// Real to 32-bit integer, truncating toward zero and saturating at the
// 32-bit range; NaN and infinities give 0.
std::int32_t TruncateToInt32(double value);
