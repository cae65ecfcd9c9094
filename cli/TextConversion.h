// Code page 932 (the program's on-screen texts) to UTF-8 for the terminal;
// on Windows also UTF-8 to and from UTF-16, the platform's own encoding.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view text);

#ifdef _WIN32
// Invalid sequences become U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
#endif
