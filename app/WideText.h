// The program's texts are code page 932; Windows speaks UTF-16. Every text
// crosses between them here, always through code page 932 itself, never the
// system's ANSI code page, which a player may have set to anything.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromCp932(std::string_view text);

// A character that code page 932 cannot hold becomes its default "?".
std::string Cp932FromWide(std::wstring_view text);

// MessageBoxW with the program's own texts.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned style);
