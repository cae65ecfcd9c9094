#include "cli/PrintedName.h"

#include <cstdio>

namespace {

// The length of the well-formed UTF-8 sequence at `at`, 0 when the bytes
// there are not one.
std::size_t Utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u; };
    const auto trail = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
    const unsigned lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return trail(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return byte(1) >= low && byte(1) <= high && trail(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return byte(1) >= low && byte(1) <= high && trail(2) && trail(3) ? 4 : 0;
    }
    return 0;
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// U+0080 to U+009F, which some terminals take as escape sequences.
bool IsC1At(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]) == 0xC2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9F;
}

bool NeedsQuoting(std::string_view name)
{
    if (!name.empty() && name.front() == '"')
        return true;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = Utf8Length(name, at);
        if (length == 0 || IsControl(static_cast<unsigned char>(name[at])) || IsC1At(name, at))
            return true;
        at += length;
    }
    return false;
}

std::string Escape(const char* format, unsigned value)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, format, value);
    return escape;
}

} // namespace

std::string PrintedName(std::string_view name)
{
    if (!NeedsQuoting(name))
        return std::string(name);
    std::string quoted = "\"";
    for (std::size_t at = 0; at < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        const std::size_t length = Utf8Length(name, at);
        if (c == '\t' || c == '\n' || c == '\r' || c == '\\' || c == '"') {
            quoted += '\\';
            quoted += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : static_cast<char>(c);
        } else if (length == 0 || IsControl(c)) {
            quoted += Escape("\\x%02X", c);
        } else if (IsC1At(name, at)) {
            quoted += Escape("\\u%04X", static_cast<unsigned char>(name[at + 1]));
        } else {
            quoted.append(name.substr(at, length));
        }
        at += length == 0 ? 1 : length;
    }
    return quoted + '"';
}
