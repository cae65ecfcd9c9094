#include "form/TextFormat.h"

#include <cstdarg>
#include <cstdio>

std::string FormatText(const char* format, ...)
{
    char text[100];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string ComposeText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);
    return text;
}

std::size_t DisplayColumns(std::string_view text)
{
    std::size_t columns = 0;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length == 1 || at + length > text.size()) {
            ++columns;
            ++at;
            continue;
        }
        unsigned code = lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
        columns += code >= 0xFF61 && code <= 0xFF9F ? 1 : 2; // half-width katakana
        at += length;
    }
    return columns;
}

std::string PadToColumns(std::string_view text, std::size_t columns)
{
    const std::size_t width = DisplayColumns(text);
    return std::string(text) + std::string(width < columns ? columns - width : 0, ' ');
}

std::string AlignToColumns(std::string_view text, std::size_t columns)
{
    const std::size_t width = DisplayColumns(text);
    return std::string(width < columns ? columns - width : 0, ' ') + std::string(text);
}
