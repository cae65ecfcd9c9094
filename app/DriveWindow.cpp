// torume-drive: starts torume-calc.exe and works it from outside, as a user
// would, for the smoke test and the README's screenshot.
//
//   torume-drive smoke EXE       wait for the window, close it through the
//                                platform, expect exit code 0
//   torume-drive load EXE FILE   wait for the window, load FILE through the
//                                menu command and its open-file dialog, and
//                                leave the program running
//   torume-drive report FILE     in the running window, load FILE, open the
//                                dialog "候補一覧と診断", leave it open and
//                                print the place of window and dialog
//                                together as WIDTHxHEIGHT+X+Y
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/testing/WindowTesting.h"
#include "resources/resource.h"

namespace {

constexpr int PollMilliseconds = 50;
constexpr int PollLimit = 600; // thirty seconds

// Paths given by a Unix shell are reached through Wine's Z: drive.
std::string WindowsPath(const char* path)
{
    std::string result = path[0] == '/' ? std::string("Z:") + path : path;
    for (char& c : result)
        if (c == '/')
            c = '\\';
    return result;
}

HWND WaitForMainWindow()
{
    for (int i = 0; i < PollLimit; ++i) {
        HWND window = FindWindowA("HP", "トルメ ダメージ計算機");
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

bool Start(const char* exe, PROCESS_INFORMATION& process)
{
    std::string commandLine = "\"" + WindowsPath(exe) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != 0;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "torume-drive: %s\n", what);
    return 1;
}

int Smoke(const char* exe)
{
    PROCESS_INFORMATION process;
    if (!Start(exe, process))
        return Fail("cannot start the program");
    HWND window = WaitForMainWindow();
    if (!window) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the window did not appear");
    }
    PostMessageA(window, WM_CLOSE, 0, 0); // the title bar's close box
    if (WaitForSingleObject(process.hProcess, PollLimit * PollMilliseconds) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the program did not end after WM_CLOSE");
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::printf("exit code %lu\n", exitCode);
    return exitCode == 0 ? 0 : Fail("exit code is not 0");
}

int LoadInto(HWND window, const char* file)
{
    PostMessageA(window, WM_COMMAND, IDM_FILE_LOAD, 0);
    HWND dialog = WaitForDialogOf(window);
    if (!dialog)
        return Fail("the open-file dialog did not appear");
    TypeFileName(dialog, WindowsPath(file));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < PollLimit && IsWindow(dialog); ++i)
        Sleep(PollMilliseconds);
    Sleep(500); // let the window repaint its results
    return 0;
}

int Load(const char* exe, const char* file)
{
    PROCESS_INFORMATION process;
    if (!Start(exe, process))
        return Fail("cannot start the program");
    HWND window = WaitForMainWindow();
    if (!window)
        return Fail("the window did not appear");
    return LoadInto(window, file);
}

int Report(const char* file)
{
    HWND window = WaitForMainWindow();
    if (!window)
        return Fail("no window is running");
    if (const int failed = LoadInto(window, file))
        return failed;
    PostMessageA(window, WM_COMMAND, IDM_ANALYSIS_REPORT, 0);
    HWND dialog = WaitForDialogOf(window);
    if (!dialog)
        return Fail("the dialog did not appear");
    Sleep(500); // let it paint
    RECT windowRect, dialogRect, both;
    GetWindowRect(window, &windowRect);
    GetWindowRect(dialog, &dialogRect);
    UnionRect(&both, &windowRect, &dialogRect);
    std::printf("%ldx%ld+%ld+%ld\n", both.right - both.left, both.bottom - both.top, both.left, both.top);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "smoke") == 0)
        return Smoke(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "load") == 0)
        return Load(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "report") == 0)
        return Report(argv[2]);
    std::fprintf(stderr, "usage: torume-drive smoke EXE | load EXE FILE | report FILE\n");
    return 2;
}
