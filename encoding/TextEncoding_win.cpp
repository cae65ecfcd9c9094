#include "encoding/TextEncoding.h"

#include <windows.h>

std::wstring WideFromBytes(std::string_view text, unsigned codePage)
{
    const int size = static_cast<int>(text.size());
    if (size == 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string BytesFromWide(std::wstring_view text, unsigned codePage)
{
    const int size = static_cast<int>(text.size());
    if (size == 0)
        return {};
    std::string bytes(
        static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

std::string Utf8ToCp932(std::string_view text)
{
    return Cp932FromWide(Utf8ToWide(text));
}
