#include "app/testing/WindowTesting.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "encoding/TextEncoding.h"

namespace {

constexpr DWORD PollMilliseconds = 20;
constexpr int PollLimit = 500; // ten seconds

struct DialogSearch {
    const char* title;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (std::wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    const bool matches = search.title
        ? process == GetCurrentProcessId() && TextOf(window) == search.title
        : GetWindow(window, GW_OWNER) == search.owner;
    if (matches)
        search.found = window;
    return !matches;
}

} // namespace

std::string TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return WideToUtf8(text);
}

std::string ListItemOf(HWND comboBox, int index)
{
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    return WideToUtf8(item);
}

std::string MenuStringOf(HMENU menu, int position)
{
    wchar_t text[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return WideToUtf8(text);
}

// The file name box: a combo box with an edit, or an edit.
void TypeFileName(HWND dialog, const std::wstring& name)
{
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */}) {
        if (GetDlgItem(dialog, id)) {
            SetDlgItemTextW(dialog, id, name.c_str());
            return;
        }
    }
}

HGLOBAL DropOf(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

DialogAnswer Answer(const char* title, HWND owner, int button, std::wstring fileName)
{
    DialogAnswer answer;
    answer.title = title;
    answer.owner = owner;
    answer.fileName = std::move(fileName);
    answer.button = button;
    return answer;
}

HWND FindProcessDialog(const char* title, HWND owner)
{
    DialogSearch search{title, owner, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogAnswerer::DialogAnswerer(std::vector<DialogAnswer> answers) : answers(std::move(answers))
{
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DialogAnswerer::~DialogAnswerer()
{
    Finish();
}

const std::vector<DialogAnswer>& DialogAnswerer::Finish()
{
    if (thread) {
        // The GUI thread may still owe the helper a reply to a sent message.
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            PumpMessages();
        CloseHandle(thread);
        thread = nullptr;
    }
    return answers;
}

namespace {

void WaitUntilGone(HWND dialog, int polls)
{
    for (int i = 0; i < polls && IsWindow(dialog); ++i)
        Sleep(PollMilliseconds);
}

void Click(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// Read across threads: the dialog's own thread answers from its modal loop.
void ReadControl(HWND dialog, DialogAnswer& answer)
{
    HWND control = GetDlgItem(dialog, answer.readControl);
    answer.text.assign(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    answer.text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, answer.text.data(), static_cast<int>(answer.text.size()))));
    answer.font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
}

// As Windows tells a window moved onto a monitor of another DPI; the
// place it suggests is where the dialog is.
void MoveToNewDpi(HWND dialog, int dpi)
{
    RECT place;
    GetWindowRect(dialog, &place);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

// A message box shows its icon, if any, in its one icon-type static control.
BOOL CALLBACK MatchIcon(HWND child, LPARAM context)
{
    wchar_t className[32] = L"";
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Static") != 0 || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HICON*>(context) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return FALSE;
}

void ReadDialog(HWND dialog, DialogAnswer& answer)
{
    answer.found = true;
    answer.window = dialog;
    answer.foundOwner = GetWindow(dialog, GW_OWNER);
    if (answer.owner)
        answer.ownerEnabled = IsWindowEnabled(answer.owner) != FALSE;
    answer.message = TextOf(GetDlgItem(dialog, 0xFFFF)); // a message box's text
    EnumChildWindows(dialog, MatchIcon, reinterpret_cast<LPARAM>(&answer.icon));
    if (answer.newDpi)
        MoveToNewDpi(dialog, answer.newDpi);
    if (answer.readControl)
        ReadControl(dialog, answer);
}

// As the title bar's close box or taskkill would, in the hardest case:
// the window minimised and another program's window, played by one of the
// helper's own, in front.
void CloseFirst(HWND dialog, DialogAnswer& answer)
{
    ShowWindow(answer.closeFirst, SW_MINIMIZE);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    SetForegroundWindow(other);
    DWORD_PTR result;
    SendMessageTimeoutA(answer.closeFirst, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &result);
    answer.openAfterClose = IsWindowVisible(dialog) != FALSE;
    answer.frontAfterClose = GetForegroundWindow() == dialog;
    answer.restoredAfterClose = IsWindow(answer.closeFirst) && !IsIconic(answer.closeFirst);
    DestroyWindow(other);
}

// As the keyboard would: the dialog's modal loop hands it to the dialog manager.
void PressKey(HWND dialog, DialogAnswer& answer)
{
    HWND control = GetDlgItem(dialog, answer.keyControl);
    PostMessageA(control, WM_KEYDOWN, answer.key, 1);
    PostMessageA(control, WM_KEYUP, answer.key, 0xC0000001);
    WaitUntilGone(dialog, 100);
    answer.closedByKey = !IsWindow(dialog);
}

// Finds the dialog of answer and answers it; last is the one the answer
// before found.
void AnswerDialog(DialogAnswer& answer, HWND& last)
{
    if (answer.ownedByLast)
        answer.owner = last;
    HWND dialog = nullptr;
    for (int waited = 0; waited < answer.waitMilliseconds && !dialog; waited += PollMilliseconds) {
        dialog = FindProcessDialog(answer.title, answer.owner);
        if (!dialog)
            Sleep(PollMilliseconds);
    }
    if (!dialog)
        return;
    last = dialog;
    ReadDialog(dialog, answer);
    if (answer.whileOpen)
        answer.whileOpen();
    if (answer.sendToOwner) {
        DWORD_PTR result;
        SendMessageTimeoutW(answer.owner, answer.sendToOwner, answer.sendWParam, 0, SMTO_NORMAL, 10000, &result);
    }
    if (answer.closeFirst)
        CloseFirst(dialog, answer);
    if (!answer.fileName.empty())
        TypeFileName(dialog, answer.fileName);
    if (answer.clickFirst)
        Click(dialog, answer.clickFirst);
    if (answer.key)
        PressKey(dialog, answer);
    if (!answer.button)
        return;
    if (IsWindow(dialog))
        Click(dialog, answer.button);
    // Wait until it is gone before looking for the next one.
    WaitUntilGone(dialog, PollLimit);
}

} // namespace

DWORD WINAPI DialogAnswerer::Run(void* self)
{
    HWND last = nullptr;
    for (DialogAnswer& answer : static_cast<DialogAnswerer*>(self)->answers) {
        AnswerDialog(answer, last);
        // Only once the dialog's own modal loop is over, which would take the quit for itself.
        if (answer.quitLoopAfter)
            PostThreadMessageW(GetWindowThreadProcessId(answer.owner, nullptr), WM_QUIT, 0, 0);
    }
    return 0;
}

DebugOutputListener::DebugOutputListener()
{
    InitializeCriticalSection(&lock);
    bufferReady = CreateEventA(nullptr, FALSE, TRUE, "DBWIN_BUFFER_READY");
    dataReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
    view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4096));
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DebugOutputListener::~DebugOutputListener()
{
    InterlockedExchange(&stop, 1);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CloseHandle(dataReady);
    CloseHandle(bufferReady);
    DeleteCriticalSection(&lock);
}

DWORD WINAPI DebugOutputListener::Run(void* self)
{
    auto& listener = *static_cast<DebugOutputListener*>(self);
    while (!listener.stop) {
        if (WaitForSingleObject(listener.dataReady, 50) != WAIT_OBJECT_0)
            continue;
        // The buffer: the writer's process ID, then the NUL-terminated text.
        DWORD writer;
        std::memcpy(&writer, listener.view, sizeof writer);
        if (writer == GetCurrentProcessId()) {
            EnterCriticalSection(&listener.lock);
            listener.lines.emplace_back(listener.view + sizeof(DWORD));
            LeaveCriticalSection(&listener.lock);
        }
        SetEvent(listener.bufferReady);
    }
    return 0;
}

std::vector<std::string> DebugOutputListener::CollectUntil(const std::string& last)
{
    for (int i = 0; i < PollLimit; ++i) {
        EnterCriticalSection(&lock);
        const bool arrived = !lines.empty() && lines.back() == last;
        LeaveCriticalSection(&lock);
        if (arrived)
            break;
        Sleep(PollMilliseconds);
    }
    EnterCriticalSection(&lock);
    std::vector<std::string> collected = lines;
    LeaveCriticalSection(&lock);
    return collected;
}

void PumpMessages()
{
    // The quit message stays queued for the test to see.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
