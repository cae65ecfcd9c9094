// Text onto the clipboard, for the report's copy commands.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with text (code page 932) as Unicode.
// Another program may hold the clipboard open for a moment: the copy waits
// about a second for it, and if it stays busy, a warning box owned by
// owner says so and the contents stay as they were.
void CopyTextToClipboard(HWND owner, const std::string& text);
