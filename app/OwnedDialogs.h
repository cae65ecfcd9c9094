// The modal dialogs and message boxes open over a window: a chain in which
// each one is owned by the one before it.
#pragma once

#include <windows.h>

#include <string_view>

// Makes the last of the chain, the one that takes the player's input, the
// foreground window; the window itself when none is open. A minimised
// window, which hides the dialogs it owns, is restored first.
void BringDialogsForward(HWND window);

// MessageBoxW with the program's own texts.
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned style);
