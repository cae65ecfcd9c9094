#include "app/Dpi.h"

namespace {

int DeviceDpi(HWND window)
{
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi;
}

void MoveTo(HWND window, const RECT& place)
{
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int ScaleToDpi(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, LayoutDpi);
}

RECT ScaleToDpi(const RECT& rect, int dpi)
{
    return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
            ScaleToDpi(rect.bottom, dpi)};
}

// GetDpiForWindow came with Windows 10, version 1607. Before it, a DPI-aware
// program's device contexts have the system's DPI, which Windows 7 and 8
// give every monitor; Windows 8.1 tells a new one by WM_DPICHANGED.
int WindowDpi(HWND window)
{
    static auto* const getDpiForWindow = LaterUser32Function<decltype(GetDpiForWindow)>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    }
    return DeviceDpi(window);
}

int SystemDpi()
{
    return DeviceDpi(nullptr);
}

void PlaceAtWindowDpi(HWND window, const CREATESTRUCTW& created)
{
    const RECT place{created.x, created.y, created.x + created.cx, created.y + created.cy};
    MoveTo(window, ScaleToDpi(place, WindowDpi(window)));
}

void MoveToSuggestedPlace(HWND window, LPARAM suggested)
{
    MoveTo(window, *reinterpret_cast<const RECT*>(suggested));
}
