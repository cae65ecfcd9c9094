#include "app/MainWindow.h"

#include <shellapi.h>

#include "app/AnalysisReport.h"
#include "app/Controls.h"
#include "app/Dpi.h"
#include "app/FileLoad.h"
#include "app/FileSave.h"
#include "app/LastFolder.h"
#include "app/MarkedRows.h"
#include "app/OwnedDialogs.h"
#include "app/WideText.h"
#include "app/WindowIdentity.h"
#include "app/Win32Form.h"
#include "estimator/PanelCommand.h"
#include "estimator/DebugTrace.h"
#include "form/ControlIds.h"
#include "resources/resource.h"

HWND MainWindow;
std::wstring StartDirectory;

namespace {

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam);

// Set while a dialog or message box of a load, save, analysis or exit
// command is open. Its modal loop still delivers queued commands, drops and
// close requests to the window.
bool DialogOpen;

bool OpensDialog(int id)
{
    return id == IDM_FILE_LOAD || id == IDM_FILE_SAVE || id == IDM_EXIT || id == IDM_ANALYSIS_REPORT ||
           id == IDM_COPY_REPORT;
}

// 1 when nothing was written, for a reason a box gave.
LRESULT SaveRows()
{
    const FileSaveResult result = SaveObservationFile(MainForm);
    return result == FileSaveResult::Failed || result == FileSaveResult::NothingToSave ? 1 : 0;
}

// The menu's commands, then the panels' as the page routes them too; of
// the notifications, which carry the controls' own IDs, only a damage
// field's change clears its mark.
LRESULT RunCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_FILE_LOAD: return LoadAndMark();
    case IDM_FILE_SAVE: return SaveRows();
    case IDM_EXIT: ConfirmExit(window, wParam, lParam); return 0;
    case IDM_ANALYSIS_REPORT: ShowAnalysisReport(window); return 0;
    case IDM_COPY_REPORT: CopyAnalysisReport(window); return 0;
    default: break;
    }
    const PanelCommandResult panel = RunPanelCommand(MainForm, LOWORD(wParam));
    if (panel.estimated)
        MarkEstimate(panel.estimate);
    else
        UnmarkEditedRow(LOWORD(wParam), HIWORD(wParam));
    return 0;
}

// A load, save, analysis or exit command that arrives while another one's
// dialog is open is dropped, rather than opening a second dialog inside
// the first.
LRESULT DispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!OpensDialog(LOWORD(wParam)))
        return RunCommand(window, wParam, lParam);
    if (DialogOpen)
        return 0;
    DialogOpen = true;
    const LRESULT result = RunCommand(window, wParam, lParam);
    DialogOpen = false;
    return result;
}

// Of several files dropped together, the first loads.
LRESULT LoadDroppedFile(HDROP drop)
{
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, 0, path.data(), length + 1);
    DragFinish(drop);
    path.resize(copied);
    return path.empty() ? 0 : LoadGivenFile(path.c_str());
}

// A debugger shows the trace in any language; one that reads the debug
// buffer as narrow text gets it in the system's code page.
void TraceToDebugger(void*, const char* text)
{
    OutputDebugStringW(WideFromCp932(text).c_str());
}

void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    // The record's own size: a 64-bit build rejects the 32-bit one.
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    windowClass.lpszClassName = MainClassName;
    windowClass.hIconSm = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterClassExW(&windowClass);
}

} // namespace

HWND StartMainWindow(HINSTANCE instance, int showCommand)
{
    RegisterMainClass(instance);
    MainWindow = CreateWindowExW(0, MainClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, 30, 30, 700, 700, nullptr,
                                 nullptr, instance, nullptr);
    if (!MainWindow)
        return nullptr;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    // Of any length: the buffer is sized by asking first.
    StartDirectory.assign(GetCurrentDirectoryW(0, nullptr), L'\0');
    StartDirectory.resize(GetCurrentDirectoryW(static_cast<DWORD>(StartDirectory.size()), StartDirectory.data()));
    PrepareOpenFileRecord(StartDirectory.c_str(), MainWindow);
    PrepareSaveFileRecord(MainWindow);
    SetLastFolder(StartDirectory);
    return MainWindow;
}

LRESULT LoadGivenFile(const wchar_t* path)
{
    // Its failure box is a dialog too: never a second one inside another.
    if (DialogOpen)
        return 0;
    DialogOpen = true;
    const LRESULT result = LoadPathAndMark(path);
    DialogOpen = false;
    return result;
}

void LoadCommandLineFile()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments && count >= 2)
        LoadGivenFile(arguments[1]);
    LocalFree(arguments);
}

namespace {

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ClearRowMarks();
        PlaceAtWindowDpi(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
        CreateControls(window, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance);
        DragAcceptFiles(window, TRUE);
        return 0;
    case WM_DPICHANGED:
        MoveToSuggestedPlace(window, lParam);
        RescaleControls(HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Destroying the window would destroy the open dialog under its own
        // running code; the close waits for the player to answer it.
        if (!DialogOpen)
            return DefWindowProcW(window, message, wParam, lParam);
        BringDialogsForward(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return DispatchCommand(window, wParam, lParam);
    case WM_DROPFILES:
        return LoadDroppedFile(reinterpret_cast<HDROP>(wParam));
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            ColorStaticControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = ColorMarkedField(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Asks "終了しますか？"; Yes destroys the window.
void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (ShowMessageBox(window, "終了しますか？", "確認", MB_ICONQUESTION | MB_YESNO) == IDYES)
        DestroyWindow(window);
    else
        DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

} // namespace

void RouteTraceToDebugger()
{
    SetTraceSink(TraceToDebugger);
}
