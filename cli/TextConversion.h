// Code page 932 (the program's on-screen texts) to UTF-8 for the terminal.
#pragma once

#include <string>
#include <string_view>

// Bytes that are not valid code page 932 become U+FFFD.
std::string Cp932ToUtf8(std::string_view text);
