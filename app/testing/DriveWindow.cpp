// torume-drive: starts torume-calc.exe and works it from outside, as a user
// would, for the smoke test and the README's screenshot.
//
//   torume-drive smoke EXE       wait for the window, close it through the
//                                platform, expect exit code 0
//   torume-drive closing EXE     ask the open-file dialog for a missing
//                                file and, while the dialog's own box says
//                                so, send the window WM_CLOSE: expect the
//                                program and its window to stay; answer the
//                                box and the dialog, close the window,
//                                expect exit code 0
//   torume-drive layout EXE      wait for the window; expect its place and
//                                every control's to be the control map's
//                                at the DPI that TORUME_DPI names (96 when
//                                unset); close it, expect exit code 0
//   torume-drive load EXE FILE   wait for the window, load FILE through the
//                                menu command and its open-file dialog,
//                                leave the program running and print the
//                                window's place as WIDTHxHEIGHT+X+Y
//   torume-drive time EXE FILE   load FILE the same way, print how long the
//                                window took from the dialog's OK until it
//                                answered again, and close the program
//   torume-drive argument EXE FILE
//                                start EXE with a copy of FILE under a
//                                Japanese, Korean and emoji name as its
//                                argument and print the estimate's summary
//                                once shown; close it; start it with a
//                                missing file, then with the devices COM1
//                                and (under Wine) Z:\dev\zero, and each
//                                time print the failure box's text, answer
//                                it and close the program
//   torume-drive version EXE     print the version resource's strings and
//                                numbers, in UTF-8
//   torume-drive report FILE     in the running window, load FILE, open the
//                                dialog "候補一覧と診断", leave it open and
//                                print the place of window and dialog
//                                together as WIDTHxHEIGHT+X+Y
//
// Places are read in physical pixels, as a DPI-aware program reads them.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "app/WindowIdentity.h"
#include "app/testing/WindowTesting.h"
#include "encoding/TextEncoding.h"
#include "form/ControlIds.h"
#include "form/ControlMap.h"
#include "form/TextFormat.h"
#include "messages/Messages.h"
#include "resources/ResourceText.h"
#include "resources/resource.h"

namespace {

constexpr int PollMilliseconds = 50;
constexpr int PollLimit = 600; // thirty seconds

// Paths given by a Unix shell are reached through Wine's Z: drive.
std::wstring WindowsPath(const wchar_t* path)
{
    std::wstring result = path[0] == L'/' ? std::wstring(L"Z:") + path : path;
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    return result;
}

HWND WaitForMainWindow()
{
    for (int i = 0; i < PollLimit; ++i) {
        HWND window = FindWindowW(MainClassName, MainWindowTitle);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(PollMilliseconds);
    }
    return nullptr;
}

HWND WaitForDialogOf(HWND owner)
{
    for (int i = 0; i < PollLimit; ++i) {
        if (HWND dialog = FindProcessDialog(nullptr, owner))
            return dialog;
        Sleep(PollMilliseconds);
    }
    return nullptr;
}

// The argument, if any, quoted as Explorer passes a file it opens.
bool Start(const wchar_t* exe, PROCESS_INFORMATION& process, const std::wstring& argument = {})
{
    std::wstring commandLine = L"\"" + WindowsPath(exe) + L"\"";
    if (!argument.empty())
        commandLine += L" \"" + argument + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != 0;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "torume-drive: %s\n", what);
    return 1;
}

// Starts the program and waits for its window; when the window does not
// appear, the program is stopped. Null, with the reason printed, on failure.
HWND StartWithWindow(const wchar_t* exe, PROCESS_INFORMATION& process, const std::wstring& argument = {})
{
    if (!Start(exe, process, argument)) {
        Fail("cannot start the program");
        return nullptr;
    }
    HWND window = WaitForMainWindow();
    if (!window) {
        TerminateProcess(process.hProcess, 1);
        Fail("the window did not appear");
    }
    return window;
}

int Stop(PROCESS_INFORMATION& process, const char* what)
{
    TerminateProcess(process.hProcess, 1);
    return Fail(what);
}

DWORD PrintExitCode(PROCESS_INFORMATION& process)
{
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("exit code %lu\n", exitCode);
    return exitCode;
}

int CloseExpectingZero(HWND window, PROCESS_INFORMATION& process)
{
    PostMessageA(window, WM_CLOSE, 0, 0); // the title bar's close box
    if (WaitForSingleObject(process.hProcess, PollLimit * PollMilliseconds) != WAIT_OBJECT_0)
        return Stop(process, "the program did not end after WM_CLOSE");
    return PrintExitCode(process) == 0 ? 0 : Fail("exit code is not 0");
}

int Smoke(const wchar_t* exe)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process);
    if (!window)
        return 1;
    return CloseExpectingZero(window, process);
}

bool Dismiss(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    for (int i = 0; i < PollLimit && IsWindow(dialog); ++i)
        Sleep(PollMilliseconds);
    return !IsWindow(dialog);
}

// The open-file dialog asked for a file that does not exist: its own box
// says so, inside the dialog's code. Null when a step fails.
HWND MissingFileBox(HWND window, HWND& dialog)
{
    PostMessageA(window, WM_COMMAND, IDM_FILE_LOAD, 0);
    dialog = WaitForDialogOf(window);
    if (!dialog)
        return nullptr;
    TypeFileName(dialog, L"torume-no-such-file.txt");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitForDialogOf(dialog);
}

int Closing(const wchar_t* exe)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process);
    if (!window)
        return 1;
    HWND dialog = nullptr;
    HWND box = MissingFileBox(window, dialog);
    if (!box)
        return Stop(process, "the open-file dialog or its box did not appear");
    DWORD_PTR answer;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, PollLimit * PollMilliseconds, &answer);
    // A destroyed dialog fails once its box returns into the dialog's code.
    if (WaitForSingleObject(process.hProcess, 1000) != WAIT_TIMEOUT) {
        PrintExitCode(process);
        return Fail("the program ended on WM_CLOSE while the dialog's box was open");
    }
    if (!IsWindow(window) || !IsWindowVisible(box))
        return Stop(process, "WM_CLOSE closed the window or the box");
    if (!Dismiss(box, IDOK) || !Dismiss(dialog, IDCANCEL))
        return Stop(process, "the box or the dialog did not close");
    return CloseExpectingZero(window, process);
}

// Loads the file through the menu command and its dialog. Returns the
// milliseconds from the dialog's OK until the window answers a message
// again: the load and its estimation run in between, on the window's
// thread. Negative when a step fails.
long long LoadThroughMenu(HWND window, const wchar_t* file)
{
    PostMessageA(window, WM_COMMAND, IDM_FILE_LOAD, 0);
    HWND dialog = WaitForDialogOf(window);
    if (!dialog)
        return -1;
    TypeFileName(dialog, WindowsPath(file));
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < PollLimit * 10 && IsWindow(dialog); ++i)
        Sleep(PollMilliseconds / 10);
    DWORD_PTR answer;
    if (IsWindow(dialog) || !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer))
        return -1;
    QueryPerformanceCounter(&end);
    return (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
}

void PrintPlace(const RECT& place)
{
    std::printf("%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left, place.top);
}

int Load(const wchar_t* exe, const wchar_t* file)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process);
    if (!window)
        return 1;
    if (LoadThroughMenu(window, file) < 0)
        return Fail("the open-file dialog did not appear or close");
    Sleep(500); // let the window repaint its results
    RECT place;
    GetWindowRect(window, &place);
    PrintPlace(place);
    return 0;
}

// The DPI the test's prefix was made with.
int PrefixDpi()
{
    wchar_t value[8] = L"";
    return GetEnvironmentVariableW(L"TORUME_DPI", value, 8) ? _wtoi(value) : 96;
}

// Prints each edge of a place that is not the expected one, of the right
// and bottom edges only those asked for; returns how many.
int CompareEdges(const char* name, const RECT& place, const RECT& expected, bool right, bool bottom)
{
    const struct {
        const char* edge;
        LONG actual, wanted;
        bool checked;
    } edges[] = {{"left", place.left, expected.left, true},
                 {"top", place.top, expected.top, true},
                 {"right", place.right, expected.right, right},
                 {"bottom", place.bottom, expected.bottom, bottom}};
    int mismatches = 0;
    for (const auto& edge : edges) {
        if (edge.checked && edge.actual != edge.wanted) {
            std::printf("%s: %s %ld, expected %ld\n", name, edge.edge, edge.actual, edge.wanted);
            ++mismatches;
        }
    }
    return mismatches;
}

RECT ScaledRect(int x, int y, int width, int height, int dpi)
{
    return {MulDiv(x, dpi, 96), MulDiv(y, dpi, 96), MulDiv(x + width, dpi, 96), MulDiv(y + height, dpi, 96)};
}

int Layout(const wchar_t* exe)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process);
    if (!window)
        return 1;
    const int dpi = PrefixDpi();
    RECT place;
    GetWindowRect(window, &place);
    int mismatches = CompareEdges("window", place, ScaledRect(30, 30, 700, 700, dpi), true, true);
    for (const ControlDef& def : ControlMap) {
        GetWindowRect(GetDlgItem(window, def.id), &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        // A vertical up-down control chooses its own width; a drop-down
        // list's height is that of its dropped list, not of its window.
        mismatches += CompareEdges(def.name, place, ScaledRect(def.x, def.y, def.width, def.height, dpi),
                                   def.kind != ControlKind::Spin, def.kind != ControlKind::Combo);
    }
    std::printf("the window and %d controls at %d DPI: %d edges differ\n", ControlCount, dpi, mismatches);
    const int closed = CloseExpectingZero(window, process);
    return mismatches ? 1 : closed;
}

int Time(const wchar_t* exe, const wchar_t* file)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process);
    if (!window)
        return 1;
    const long long milliseconds = LoadThroughMenu(window, file);
    const std::string defense = TextOf(GetDlgItem(window, IDC_EST_DEFENSE));
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, PollLimit * PollMilliseconds) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    if (milliseconds < 0)
        return Fail("the open-file dialog did not appear or close");
    std::printf("loaded in %lld ms; defense label: %s\n", milliseconds, defense.c_str());
    return 0;
}

int Report(const wchar_t* file)
{
    HWND window = WaitForMainWindow();
    if (!window)
        return Fail("no window is running");
    if (LoadThroughMenu(window, file) < 0)
        return Fail("the open-file dialog did not appear or close");
    PostMessageA(window, WM_COMMAND, IDM_ANALYSIS_REPORT, 0);
    HWND dialog = WaitForDialogOf(window);
    if (!dialog)
        return Fail("the dialog did not appear");
    Sleep(500); // let it paint
    RECT windowRect, dialogRect, both;
    GetWindowRect(window, &windowRect);
    GetWindowRect(dialog, &dialogRect);
    UnionRect(&both, &windowRect, &dialogRect);
    PrintPlace(both);
    return 0;
}

// A window's text in UTF-8, for printing: read as UTF-16 from any process.
std::string Utf8TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// The load of a file given to the program runs before its message loop:
// the summary appears some time after the window.
std::string WaitForSummary(HWND window)
{
    std::string summary;
    for (int i = 0; i < PollLimit && summary.empty(); ++i) {
        summary = Utf8TextOf(GetDlgItem(window, IDC_EST_SUMMARY));
        if (summary.empty())
            Sleep(PollMilliseconds);
    }
    return summary;
}

// Started with a path it cannot load: the box stands in front of the
// window, which answers and closes.
int StartFailing(const wchar_t* exe, const std::wstring& path)
{
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process, path);
    if (!window)
        return 1;
    HWND box = WaitForDialogOf(window);
    if (!box)
        return Stop(process, "no box for a file that cannot be read");
    const std::string text = Utf8TextOf(GetDlgItem(box, 0xFFFF));
    std::printf("box %s\n", text.c_str());
    if (text != std::string(MessageText(MessageId::LoadFailed)))
        return Stop(process, "not the failed load's box");
    if (!Dismiss(box, IDOK))
        return Stop(process, "the box did not close");
    return CloseExpectingZero(window, process);
}

int Argument(const wchar_t* exe, const wchar_t* file)
{
    wchar_t temporary[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temporary);
    const std::wstring folder = std::wstring(temporary) + L"torume 引数 관측";
    const std::wstring copy = folder + L"\\観測データ \U0001F600.txt";
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW(WindowsPath(file).c_str(), copy.c_str(), FALSE))
        return Fail("cannot copy the file");
    PROCESS_INFORMATION process;
    HWND window = StartWithWindow(exe, process, copy);
    if (!window)
        return 1;
    // The file holds four hits, which the estimate reproduces.
    const std::string summary = WaitForSummary(window);
    std::printf("summary %s\n", summary.c_str());
    if (summary != FormatText(MessageText(MessageId::ResultSuccess), 4, 4))
        return Stop(process, "not the estimate of the file given");
    const int closed = CloseExpectingZero(window, process);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    if (closed != 0)
        return closed;

    // The copy, now gone, and two devices: none loads. A device read on the
    // window's thread would never end.
    for (const std::wstring& path : {copy, std::wstring(L"COM1"), std::wstring(L"Z:\\dev\\zero")})
        if (const int failed = StartFailing(exe, path))
            return failed;
    return 0;
}

// One string of the version resource's Japanese Unicode block, in UTF-8.
std::string VersionString(const std::vector<char>& info, const wchar_t* name)
{
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0)
        return "(missing)";
    const wchar_t* text = static_cast<const wchar_t*>(value);
    return BytesFromWide(std::wstring_view(text, wcsnlen(text, length)), CP_UTF8);
}

int Version(const wchar_t* exe)
{
    const std::wstring path = WindowsPath(exe);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    std::vector<char> info(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, info.data()))
        return Fail("no version resource");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
        std::printf("FileVersionNumber %u.%u.%u.%u\n", unsigned{HIWORD(fixed->dwFileVersionMS)},
                    unsigned{LOWORD(fixed->dwFileVersionMS)}, unsigned{HIWORD(fixed->dwFileVersionLS)},
                    unsigned{LOWORD(fixed->dwFileVersionLS)});
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName", L"FileDescription",
                                L"OriginalFilename"})
        std::printf("%ls %s\n", name, VersionString(info, name).c_str());
    return VersionString(info, L"ProductName") == TEXT_PRODUCT_NAME ? 0 : Fail("not the program's name");
}

} // namespace

// The arguments as UTF-16, whatever the system's code page: a path may hold
// any character.
int main()
{
    SetProcessDPIAware();
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const auto is = [&](int count, const wchar_t* mode) { return argc == count && std::wcscmp(argv[1], mode) == 0; };
    if (is(3, L"smoke"))
        return Smoke(argv[2]);
    if (is(3, L"closing"))
        return Closing(argv[2]);
    if (is(3, L"layout"))
        return Layout(argv[2]);
    if (is(4, L"load"))
        return Load(argv[2], argv[3]);
    if (is(4, L"time"))
        return Time(argv[2], argv[3]);
    if (is(4, L"argument"))
        return Argument(argv[2], argv[3]);
    if (is(3, L"version"))
        return Version(argv[2]);
    if (is(3, L"report"))
        return Report(argv[2]);
    std::fprintf(stderr, "usage: torume-drive smoke EXE | closing EXE | layout EXE | load EXE FILE | time EXE FILE |"
                         " argument EXE FILE | version EXE | report FILE\n");
    return 2;
}
