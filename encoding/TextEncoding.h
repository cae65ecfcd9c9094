// Texts between encodings, at the program's edges: code page 932 (the
// program's texts and observation files) to UTF-8 for a terminal, JSON or
// a page, and on Windows UTF-16, the platform's own encoding. Always
// through the encoding named, never the system's ANSI code page, which a
// player may have set to anything. The platform's converters do the work:
// iconv, or Windows' own.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view text);

// A character that code page 932 cannot hold, or a byte that is not UTF-8,
// becomes "?".
std::string Utf8ToCp932(std::string_view text);

#ifdef _WIN32
std::wstring WideFromBytes(std::string_view text, unsigned codePage);

// A character that the code page cannot hold becomes its default "?".
std::string BytesFromWide(std::wstring_view text, unsigned codePage);

inline std::wstring WideFromCp932(std::string_view text)
{
    return WideFromBytes(text, 932);
}

inline std::string Cp932FromWide(std::wstring_view text)
{
    return BytesFromWide(text, 932);
}

// Invalid sequences become U+FFFD.
inline std::wstring Utf8ToWide(std::string_view text)
{
    return WideFromBytes(text, 65001); // CP_UTF8
}

inline std::string WideToUtf8(std::wstring_view text)
{
    return BytesFromWide(text, 65001);
}
#endif
