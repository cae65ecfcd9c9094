#include "app/Win32Form.h"

#include <string>

#include "app/HandleTables.h"
#include "encoding/TextEncoding.h"

// The whole text, made code page 932 and cut to 99 bytes as a window text
// read into a 100-byte buffer always was, then UTF-8: the fields read what
// they read when the program's texts were code page 932.
FieldText Win32Form::GetText(int id) const
{
    HWND control = ControlHandle(handles, id);
    if (!control)
        return MakeFieldText("");
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    const std::string cp932 = Cp932FromWide(text);
    return CutFieldText(Cp932ToUtf8(std::string_view(cp932).substr(0, FieldText::Capacity - 1)));
}

void Win32Form::SetText(int id, std::string_view text)
{
    if (HWND control = ControlHandle(handles, id))
        SetWindowTextW(control, Utf8ToWide(text).c_str());
}

int Win32Form::GetSelection(int id) const
{
    HWND control = ControlHandle(handles, id);
    return control ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32Form::SetSelection(int id, int index)
{
    HWND control = ControlHandle(handles, id);
    if (!control)
        return;
    // An index outside the items clears the selection. Windows does so for
    // any such index; Wine only for -1, so every other one is sent as -1.
    const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
    if (index < 0 || index >= count)
        index = -1;
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32Form::GetCheck(int id) const
{
    HWND control = ControlHandle(handles, id);
    return control && SendMessageW(control, BM_GETCHECK, 0, 0) != 0;
}

void Win32Form::Enable(int id, bool enabled)
{
    if (HWND control = ControlHandle(handles, id))
        EnableWindow(control, enabled);
}
