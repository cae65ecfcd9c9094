#include "app/Win32Form.h"

#include <string>

#include "app/HandleTables.h"

Win32Form MainForm;

FieldText Win32Form::GetText(int id) const
{
    char text[FieldText::Capacity] = "";
    if (HWND control = ControlHandle(id))
        GetWindowTextA(control, text, FieldText::Capacity);
    return MakeFieldText(text);
}

void Win32Form::SetText(int id, std::string_view text)
{
    if (HWND control = ControlHandle(id))
        SetWindowTextA(control, std::string(text).c_str());
}

int Win32Form::GetSelection(int id) const
{
    HWND control = ControlHandle(id);
    return control ? static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32Form::SetSelection(int id, int index)
{
    HWND control = ControlHandle(id);
    if (!control)
        return;
    // An index outside the items clears the selection. Windows does so for
    // any such index; Wine only for -1, so every other one is sent as -1.
    const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count)
        index = -1;
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32Form::GetCheck(int id) const
{
    HWND control = ControlHandle(id);
    return control && SendMessageA(control, BM_GETCHECK, 0, 0) != 0;
}

void Win32Form::Enable(int id, bool enabled)
{
    if (HWND control = ControlHandle(id))
        EnableWindow(control, enabled);
}
