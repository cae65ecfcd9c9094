// Windows speaks UTF-16; the program's texts are code page 932, and the
// command-line program's UTF-8. Every text crosses between them here,
// always through the code page named, never the system's ANSI code page,
// which a player may have set to anything.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromBytes(std::string_view text, UINT codePage);

// A character that the code page cannot hold becomes its default "?".
std::string BytesFromWide(std::wstring_view text, UINT codePage);

inline std::wstring WideFromCp932(std::string_view text)
{
    return WideFromBytes(text, 932);
}

inline std::string Cp932FromWide(std::wstring_view text)
{
    return BytesFromWide(text, 932);
}

// MessageBoxW with the program's own texts.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned style);
