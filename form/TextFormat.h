// The bounded formatter every number and message goes through before it
// becomes a control's text: printf-style into a buffer of 100 bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The same without a bound, for the report's sentences and a loader's
// lines, which hold file names and long messages.
std::string ComposeText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The columns a UTF-8 text takes in the fixed-pitch font of the report and
// a terminal: one for ASCII and half-width katakana, two for every other
// character (kanji, kana, full-width forms), as many as its code page 932
// bytes; a byte that is not UTF-8 takes one.
std::size_t DisplayColumns(std::string_view text);

// Blanks after (PadToColumns) or before (AlignToColumns) the text up to
// columns; a wider text stays as it is.
std::string PadToColumns(std::string_view text, std::size_t columns);
std::string AlignToColumns(std::string_view text, std::size_t columns);
