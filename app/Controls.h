// Creation of the main window's controls from the control map, and their
// colours on the black background.
#pragma once

#include <windows.h>

struct WindowState;

// The face of the program's fonts, "ＭＳ ゴシック".
inline constexpr wchar_t GothicFace[] = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

// The light red of the highlighted result labels.
constexpr COLORREF HighlightText = RGB(255, 180, 180);

// For WM_CREATE: the fonts and every control, in the map's order, at the
// window's DPI.
void CreateControls(WindowState& state, HINSTANCE instance);

// For WM_DPICHANGED: the fonts made again at the new DPI, every control
// moved to its place at that DPI.
void RescaleControls(WindowState& state, int dpi);

// For the controls that the control map gives no font: null at the
// system's DPI on a system whose system font shows Japanese, else a
// Japanese font of the system font's size at dpi.
HFONT CreateSystemFontStandIn(int dpi);

// For WM_CTLCOLORSTATIC: the black brush with white or light-red
// transparent text for labels, group boxes and check boxes; null, with dc
// untouched, for every other control, which the window leaves to
// DefWindowProc.
HBRUSH ColorStaticControl(const WindowState& state, HDC dc, HWND control);
