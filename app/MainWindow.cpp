#include "app/MainWindow.h"

#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/Win32Form.h"
#include "damage/DamageCalculation.h"
#include "damage/SpellMode.h"
#include "estimator/DebugTrace.h"
#include "estimator/DefenseEstimation.h"
#include "form/ControlIds.h"
#include "resources/resource.h"

HWND MainWindow;
char StartDirectory[MAX_PATH + 1];

const char MainClassName[] = "HP";
const char MainWindowTitle[] = "トルメ ダメージ計算機";

namespace {

// Only the IDs of the command table act; edit-field and list
// notifications carry their own IDs and are dropped.
LRESULT DispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_CALC_RUN: RunDamageCalculation(MainForm); break;
    case IDC_EST_RUN: RunDefenseEstimation(MainForm); break;
    case IDC_SPELL_MODE: ApplySpellMode(MainForm); break;
    case IDM_FILE_LOAD: return LoadObservationFile(MainForm);
    case IDM_EXIT: ConfirmExit(window, wParam, lParam); break;
    default: break;
    }
    return 0;
}

void TraceToDebugger(void*, const char* text)
{
    OutputDebugStringA(text);
}

} // namespace

void RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    // The record's own size: a 64-bit build rejects the 32-bit one.
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = MainClassName;
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    RegisterClassExA(&windowClass);
}

HWND StartMainWindow(HINSTANCE instance, int showCommand)
{
    RegisterMainClass(instance);
    MainWindow = CreateWindowExA(0, MainClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, 30, 30, 700, 700, nullptr,
                                 nullptr, instance, nullptr);
    if (!MainWindow)
        return nullptr;
    ShowWindow(MainWindow, showCommand);
    UpdateWindow(MainWindow);
    GetCurrentDirectoryA(sizeof StartDirectory, StartDirectory);
    PrepareOpenFileRecord(StartDirectory, MainWindow);
    return MainWindow;
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateControls(window, reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_COMMAND:
        return DispatchCommand(window, wParam, lParam);
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            ColorStaticControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (MessageBoxA(window, "終了しますか？", "確認", MB_ICONQUESTION | MB_YESNO) == IDYES)
        DestroyWindow(window);
    else
        DefWindowProcA(window, WM_COMMAND, wParam, lParam);
}

void RouteTraceToDebugger()
{
    SetTraceSink(TraceToDebugger);
}
