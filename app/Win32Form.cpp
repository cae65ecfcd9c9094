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
    // An index outside the items, -1 among them, clears the selection.
    if (HWND control = ControlHandle(id))
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
