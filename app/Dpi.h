// The window's layout is in pixels at 96 DPI, the display scaling Windows
// calls 100 %; every window scales it by the DPI of the monitor it is on.
#pragma once

#include <windows.h>

constexpr int LayoutDpi = 96;

// A length of the layout at dpi, rounded as Windows rounds (MulDiv).
int ScaleToDpi(int pixels, int dpi);

// A rectangle of the layout at dpi. It scales by its corners, so that
// rectangles that meet at 96 DPI meet at any DPI.
RECT ScaleToDpi(const RECT& rect, int dpi);

// The DPI of the window's monitor.
int WindowDpi(HWND window);

// The DPI Windows sized its system font for: the primary monitor's when
// the player signed in.
int SystemDpi();

// For WM_CREATE: the place the window was created at is the layout's;
// once the window exists it has a DPI, and moves to the place at that DPI.
void PlaceAtWindowDpi(HWND window, const CREATESTRUCTW& created);

// For WM_DPICHANGED: the rectangle Windows suggests for the new DPI.
void MoveToSuggestedPlace(HWND window, LPARAM suggested);

// A function of user32 that an older Windows lacks, or null.
template <typename Function>
Function* LaterUser32Function(const char* name)
{
    // Through void (*)(), the one function type any other converts from.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
