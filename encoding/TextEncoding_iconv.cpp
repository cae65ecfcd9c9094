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

} // namespace

std::string Utf8ToCp932(std::string_view text)
{
    std::string out;
    const iconv_t converter = ToCp932();
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
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
            // A character the code page lacks, or a byte that is not UTF-8:
            // a "?" for the character, then on after it.
            out += '?';
            do {
                ++in;
                --inLeft;
            } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string Cp932ToUtf8(std::string_view text)
{
    std::string out;
    const iconv_t converter = Converter();
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string(text);

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
            // An invalid or truncated sequence: mark it and go on after it.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}
