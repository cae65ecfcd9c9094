#include "app/Clipboard.h"

#include <cstring>

#include "app/OwnedDialogs.h"
#include "encoding/TextEncoding.h"
#include "messages/Messages.h"

namespace {

constexpr ULONGLONG BusyPatienceMilliseconds = 1000;
constexpr DWORD RetryMilliseconds = 25;

// The clipboard owns the memory once it took it; otherwise it is ours to free.
void PutOnClipboard(UINT format, const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory))
        GlobalFree(memory);
}

// Clipboard managers and other programs open the clipboard for a moment
// to read it; only one holder at a time may.
bool OpenClipboardPatiently(HWND owner)
{
    const ULONGLONG deadline = GetTickCount64() + BusyPatienceMilliseconds;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(RetryMilliseconds);
    }
    return true;
}

} // namespace

void CopyTextToClipboard(HWND owner, const std::string& text)
{
    if (!OpenClipboardPatiently(owner)) {
        ShowMessageBox(owner, MessageText(MessageId::ClipboardBusy), MessageText(MessageId::ClipboardBusyCaption),
                       MB_OK | MB_ICONWARNING);
        return;
    }
    EmptyClipboard();
    // Unicode only: the system makes the narrow text for a reader that asks
    // for it, in that reader's code page.
    const std::wstring wide = Utf8ToWide(text);
    PutOnClipboard(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
}
