#include "app/MainWindow.h"

#include "app/AnalysisReport.h"
#include "app/Controls.h"
#include "app/Dpi.h"
#include "app/FileLoad.h"
#include "app/MarkedRows.h"
#include "app/OwnedDialogs.h"
#include "app/WideText.h"
#include "app/WindowIdentity.h"
#include "app/Win32Form.h"
#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "estimator/DebugTrace.h"
#include "form/ControlIds.h"
#include "resources/resource.h"

HWND MainWindow;
std::wstring StartDirectory;

namespace {

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam);

// Set while a dialog or message box of a load, analysis or exit command is
// open. Its modal loop still delivers queued commands and close requests
// to the window.
bool DialogOpen;

bool IsLoadAnalysisOrExit(int id)
{
    return id == IDM_FILE_LOAD || id == IDM_EXIT || id == IDM_ANALYSIS_REPORT || id == IDM_COPY_REPORT;
}

// Only the IDs of the command table act; of the notifications, which carry
// the controls' own IDs, only a damage field's change clears its mark.
LRESULT RunCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_CALC_RUN: RunDamageCalculation(MainForm); break;
    case IDC_EST_RUN: EstimateAndMark(); break;
    case IDC_SPELL_MODE: ApplySpellMode(MainForm); break;
    case IDM_FILE_LOAD: return LoadAndMark();
    case IDM_EXIT: ConfirmExit(window, wParam, lParam); break;
    case IDM_ANALYSIS_REPORT: ShowAnalysisReport(window); break;
    case IDM_COPY_REPORT: CopyAnalysisReport(window); break;
    default: UnmarkEditedRow(LOWORD(wParam), HIWORD(wParam)); break;
    }
    return 0;
}

// A load, analysis or exit command that arrives while another one's dialog
// is open is dropped, rather than opening a second dialog inside the first.
LRESULT DispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!IsLoadAnalysisOrExit(LOWORD(wParam)))
        return RunCommand(window, wParam, lParam);
    if (DialogOpen)
        return 0;
    DialogOpen = true;
    const LRESULT result = RunCommand(window, wParam, lParam);
    DialogOpen = false;
    return result;
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
    return MainWindow;
}

namespace {

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ClearRowMarks();
        PlaceAtWindowDpi(window, *reinterpret_cast<CREATESTRUCTW*>(lParam));
        CreateControls(window, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance);
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
