// How the main window is known from outside: its class name and title, the
// pair torume-drive looks for. Wide: the window is found by its Unicode
// title on a system of any language.
#pragma once

#include "resources/ResourceText.h"

inline constexpr wchar_t MainClassName[] = L"HP";
inline constexpr wchar_t MainWindowTitle[] = L"" TEXT_PRODUCT_NAME;
