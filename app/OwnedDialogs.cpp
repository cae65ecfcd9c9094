#include "app/OwnedDialogs.h"

#include <cwchar>
#include <iterator>

#include "encoding/TextEncoding.h"

namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

// Dialogs and message boxes share the dialog class; the other windows a
// window may own (tool tips, drop-down lists) are not waited for.
BOOL CALLBACK MatchOwnedDialog(HWND candidate, LPARAM context)
{
    auto& search = *reinterpret_cast<OwnedSearch*>(context);
    wchar_t className[16] = L"";
    GetClassNameW(candidate, className, static_cast<int>(std::size(className)));
    if (GetWindow(candidate, GW_OWNER) != search.owner || std::wcscmp(className, L"#32770") != 0 ||
        !IsWindowVisible(candidate))
        return TRUE;
    search.found = candidate;
    return FALSE;
}

HWND TopOwnedDialog(HWND window)
{
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    HWND top = window;
    for (;;) {
        OwnedSearch search{top, nullptr};
        EnumThreadWindows(thread, MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return top;
        top = search.found;
    }
}

} // namespace

void BringDialogsForward(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(TopOwnedDialog(window));
}

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned style)
{
    return MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), style);
}
