// Fuzz target: the integer field reading against a straightforward model,
// the C library's strtoll clamped to the 32-bit range, after full-width
// digits, signs and spaces are made ASCII.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "form/IntegerField.h"
#include "form/MemoryForm.h"

namespace {

// Full-width digits, signs and the ideographic space, replaced wherever
// they stand: past the first other character strtoll reads nothing anyway.
std::string AsciiDigits(const std::string& text)
{
    static const struct {
        std::string wide;
        char ascii;
    } forms[] = {{"\xEF\xBC\x8D", '-'}, {"\xEF\xBC\x8B", '+'}, {"\xE3\x80\x80", ' '},
                 {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
                 {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
                 {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}};
    std::string ascii;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (const auto& form : forms) {
            if (text.compare(at, form.wide.size(), form.wide) == 0) {
                ascii += form.ascii;
                at += form.wide.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            ascii += text[at++];
    }
    return ascii;
}

std::int32_t ModelReading(const std::string& typed)
{
    // strtoll stops at the first NUL, like a window text does.
    const std::string text = AsciiDigits(typed);
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string upToNul = text.substr(0, text.find('\0'));
    if (ReadInteger(upToNul) != ModelReading(upToNul))
        std::abort();

    // Through a field: at most the first 99 bytes are read.
    MemoryForm form;
    form.SetText(IDC_ATTACK, text);
    if (form.GetNumber(IDC_ATTACK) != ModelReading(upToNul.substr(0, 99)))
        std::abort();

    const IntegerScan scan = ScanInteger(upToNul);
    char* end = nullptr;
    std::strtoll(upToNul.c_str(), &end, 10);
    const std::size_t modelEnd = static_cast<std::size_t>(end - upToNul.c_str());
    if (scan.converted != (modelEnd != 0) || (scan.converted && scan.end != modelEnd))
        std::abort();
    return 0;
}
