#include "encoding/TextEncoding.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One converter each way for the whole process, opened on first use.
// Some C libraries (the web edition's) know code page 932 as Shift_JIS
// only, which holds the same characters for the program's texts.
iconv_t OpenEither(const char* to, const char* from, const char* otherTo, const char* otherFrom)
{
    const iconv_t converter = iconv_open(to, from);
    return converter != reinterpret_cast<iconv_t>(-1) ? converter : iconv_open(otherTo, otherFrom);
}

iconv_t Converter()
{
    static const iconv_t converter = OpenEither("UTF-8", "CP932", "UTF-8", "SHIFT_JIS");
    return converter;
}

iconv_t ToCp932()
{
    static const iconv_t converter = OpenEither("CP932", "UTF-8", "SHIFT_JIS", "UTF-8");
    return converter;
}

// The text through the converter; each sequence it cannot take becomes
// replacement, and the conversion goes on after it: after its first byte,
// and from UTF-8 after that character's continuation bytes too.
std::string Convert(iconv_t converter, std::string_view text, std::string_view replacement, bool fromUtf8)
{
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
    std::string out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += replacement;
            do {
                ++in;
                --inLeft;
            } while (fromUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace

std::string Utf8ToCp932(std::string_view text)
{
    return Convert(ToCp932(), text, "?", true);
}

std::string Cp932ToUtf8(std::string_view text)
{
    return Convert(Converter(), text, "\xEF\xBF\xBD", false);
}
