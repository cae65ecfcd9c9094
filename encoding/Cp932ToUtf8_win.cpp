// The platform's converters, in place of iconv. Code page 932 is converted
// one character at a time so that an invalid byte becomes one U+FFFD and
// the text goes on after it, exactly as the iconv version does.
#include "encoding/TextEncoding.h"

#include <windows.h>

namespace {

constexpr UINT ShiftJis = 932;
const char Replacement[] = "\xEF\xBF\xBD";

// Single bytes that Windows maps (to U+0080 and private-use characters)
// while iconv's code page 932 has no character for them.
bool UnmappedByte(unsigned char byte)
{
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD;
}

} // namespace

std::string Cp932ToUtf8(std::string_view text)
{
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) { // ASCII is itself in both
            out += static_cast<char>(byte);
            ++at;
            continue;
        }
        const int length = IsDBCSLeadByteEx(ShiftJis, byte) && at + 1 < text.size() ? 2 : 1;
        wchar_t wide[2];
        const int count = UnmappedByte(byte)
                              ? 0
                              : MultiByteToWideChar(ShiftJis, MB_ERR_INVALID_CHARS, text.data() + at, length, wide, 2);
        if (count <= 0) {
            out += Replacement;
            ++at;
            continue;
        }
        out += WideToUtf8(std::wstring_view(wide, static_cast<std::size_t>(count)));
        at += static_cast<std::size_t>(length);
    }
    return out;
}
