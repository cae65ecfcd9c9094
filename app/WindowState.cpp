#include "app/WindowState.h"

#include <new>

WindowState* StateOf(HWND window)
{
    return reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Without exceptions: none may leave the window procedure.
bool AttachWindowState(HWND window)
{
    auto* state = new (std::nothrow) WindowState{};
    if (!state)
        return false;
    state->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    return true;
}

void ReleaseWindowState(HWND window)
{
    WindowState* state = StateOf(window);
    if (!state)
        return;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    const ControlFonts& fonts = state->fonts;
    const HGDIOBJ objects[] = {fonts.normal, fonts.bold, fonts.systemStandIn, state->markBrush, state->reportFont};
    for (HGDIOBJ object : objects)
        if (object)
            DeleteObject(object);
    delete state;
}
