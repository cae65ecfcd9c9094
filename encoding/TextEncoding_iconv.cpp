#include "encoding/TextEncoding.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One converter for the whole process, opened on first use.
iconv_t Converter()
{
    static const iconv_t converter = iconv_open("UTF-8", "CP932");
    return converter;
}

} // namespace

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
