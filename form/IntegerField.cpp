#include "form/IntegerField.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

bool IsFieldSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

IntegerScan ScanInteger(std::string_view text, std::size_t from)
{
    std::size_t pos = from;
    while (pos < text.size() && IsFieldSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size() || !IsDigit(text[pos]))
        return {0, false, from};

    // Accumulate the magnitude up to just past the 32-bit range, then stop
    // growing it: further digits only move the end.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (text[pos] - '0');
    }
    std::int32_t value;
    if (negative)
        value = magnitude >= limit ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-magnitude);
    else
        value = magnitude >= limit ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(magnitude);
    return {value, true, pos};
}

namespace {

// The ASCII byte a full-width digit, plus, minus or comma, or the
// ideographic space, at `at` stands for, and its length in UTF-8; length 0 for
// anything else.
struct FullWidthChar {
    char ascii;
    std::size_t length;
};

FullWidthChar FullWidthAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0; };
    if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x99)
        return {static_cast<char>('0' + (byte(2) - 0x90)), 3};
    if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) == 0x8D)
        return {'-', 3};
    if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) == 0x8B)
        return {'+', 3};
    if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) == 0x8C)
        return {',', 3};
    if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80)
        return {' ', 3};
    return {0, 0};
}

} // namespace

std::string FoldFullWidth(std::string_view text, bool* whole)
{
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            folded += text[at++];
            continue;
        }
        const FullWidthChar c = FullWidthAt(text, at);
        if (c.length == 0) {
            if (whole)
                *whole = false;
            return folded;
        }
        folded += c.ascii;
        at += c.length;
    }
    if (whole)
        *whole = true;
    return folded;
}

namespace {

// Digits grouped by commas in threes (1,208; 12,345,678), or without
// commas; the digits alone.
std::optional<std::string> GroupedDigits(std::string_view text)
{
    std::string digits;
    std::size_t group = 0;
    bool grouped = false;
    for (const char c : text) {
        if (c == ',') {
            if (group == 0 || (grouped && group != 3) || (!grouped && group > 3))
                return std::nullopt;
            grouped = true;
            group = 0;
        } else if (IsDigit(c)) {
            digits += c;
            ++group;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty() || (grouped && group != 3))
        return std::nullopt;
    return digits;
}

bool IsAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

// A field typed with the input method on holds full-width digits (３００),
// signs (＋５) and spaces (　５): they read as the ASCII ones, instead of
// giving 0 and a wrong damage.
std::int32_t ReadInteger(std::string_view text)
{
    if (IsAscii(text))
        return ScanInteger(text).value;
    return ScanInteger(FoldFullWidth(text)).value;
}

// Whatever path a text takes into a field, or a spreadsheet's cell into a
// row, one reading decides whether it is a number: a thousands separator
// or a full-width digit is the player's number, never the end of it.
std::optional<std::string> EnteredNumberText(std::string_view text)
{
    bool whole = false;
    std::string folded = FoldFullWidth(text, &whole);
    if (!whole)
        return std::nullopt;
    const std::size_t first = folded.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos)
        return std::string();
    std::string_view number(folded);
    number = number.substr(first, folded.find_last_not_of(" \t\n\v\f\r") - first + 1);
    const bool negative = number.front() == '-';
    if (negative || number.front() == '+')
        number.remove_prefix(1);
    const std::optional<std::string> digits = GroupedDigits(number);
    if (!digits)
        return std::nullopt;
    return negative ? "-" + *digits : *digits;
}

std::optional<std::int32_t> ReadWholeNumber(std::string_view text)
{
    const std::optional<std::string> number = EnteredNumberText(text);
    if (!number || number->empty())
        return std::nullopt;
    return ScanInteger(*number).value;
}

std::int32_t TruncateToInt32(double value)
{
    if (!std::isfinite(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
