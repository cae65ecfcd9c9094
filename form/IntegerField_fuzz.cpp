// Fuzz target: the integer field reading against a straightforward model,
// the C library's strtoll clamped to the 32-bit range.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "form/IntegerField.h"
#include "form/MemoryForm.h"

namespace {

std::int32_t ModelReading(const std::string& text)
{
    // strtoll stops at the first NUL, like a window text does.
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
