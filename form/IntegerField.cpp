#include "form/IntegerField.h"

#include <cmath>
#include <limits>

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

std::int32_t ReadInteger(std::string_view text)
{
    return ScanInteger(text).value;
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
