#include "app/MainWindow.h"

#include <shellapi.h>

#include <string>

#include "app/AnalysisReport.h"
#include "app/Controls.h"
#include "app/Dpi.h"
#include "app/EstimateHandOffMenu.h"
#include "app/FileLoad.h"
#include "app/FileSave.h"
#include "app/MarkedRows.h"
#include "app/OwnedDialogs.h"
#include "app/WindowIdentity.h"
#include "app/WindowState.h"
#include "commands/PanelCommand.h"
#include "encoding/TextEncoding.h"
#include "estimator/DebugTrace.h"
#include "form/ControlIds.h"
#include "messages/Messages.h"
#include "resources/resource.h"

namespace {

bool OpensDialog(int id)
{
    return id == IDM_FILE_LOAD || id == IDM_FILE_SAVE || id == IDM_EXIT || id == IDM_ANALYSIS_REPORT ||
           id == IDM_COPY_REPORT;
}

// Asks "終了しますか？"; Yes destroys the window.
void ConfirmExit(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (ShowMessageBox(window, MessageText(MessageId::ExitQuestion), MessageText(MessageId::ExitCaption),
                       MB_ICONQUESTION | MB_YESNO) == IDYES)
        DestroyWindow(window);
    else
        DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

// 1 when nothing was written, for a reason a box gave.
LRESULT SaveRows(WindowState& state)
{
    const FileSaveResult result = SaveObservationFile(state);
    return result == FileSaveResult::Failed || result == FileSaveResult::NothingToSave ? 1 : 0;
}

// The menu's commands, then the panels' as the page routes them too; of
// the notifications, which carry the controls' own IDs, only a damage
// field's change clears its mark.
LRESULT RunCommand(WindowState& state, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_FILE_LOAD: return LoadAndMark(state);
    case IDM_FILE_SAVE: return SaveRows(state);
    case IDM_EXIT: ConfirmExit(state.window, wParam, lParam); return 0;
    case IDM_ANALYSIS_REPORT: ShowAnalysisReport(state); return 0;
    case IDM_COPY_REPORT: CopyAnalysisReport(state); return 0;
    case IDM_HANDOFF_SLASH:
    case IDM_HANDOFF_STRIKE:
    case IDM_HANDOFF_THRUST: HandOffToCalculator(state, LOWORD(wParam)); return 0;
    default: break;
    }
    const PanelCommandResult panel = RunPanelCommand(state.form, LOWORD(wParam));
    if (panel.estimated)
        MarkEstimate(state, panel.estimate);
    else
        UnmarkEditedRow(state, LOWORD(wParam), HIWORD(wParam));
    return 0;
}

// A load, save, analysis or exit command that arrives while another one's
// dialog is open is dropped, rather than opening a second dialog inside
// the first.
LRESULT DispatchCommand(WindowState& state, WPARAM wParam, LPARAM lParam)
{
    if (!OpensDialog(LOWORD(wParam)))
        return RunCommand(state, wParam, lParam);
    if (state.dialogOpen)
        return 0;
    HWND window = state.window;
    state.dialogOpen = true;
    const LRESULT result = RunCommand(state, wParam, lParam);
    // An exit the player confirmed destroyed the window, and its state with it.
    if (WindowState* kept = StateOf(window))
        kept->dialogOpen = false;
    return result;
}

// A file given to the program or dropped on the window: loaded and marked
// as "ファイル読み込み" does, with the same box on failure; dropped while
// a dialog or box of the window is open. Returns 1 when the load failed.
LRESULT LoadGivenFile(WindowState& state, const wchar_t* path)
{
    // Its failure box is a dialog too: never a second one inside another.
    if (state.dialogOpen)
        return 0;
    state.dialogOpen = true;
    const LRESULT result = LoadPathAndMark(state, path);
    state.dialogOpen = false;
    return result;
}

// Of several files dropped together, the first loads.
LRESULT LoadDroppedFile(WindowState& state, HDROP drop)
{
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, 0, path.data(), length + 1);
    DragFinish(drop);
    path.resize(copied);
    return path.empty() ? 0 : LoadGivenFile(state, path.c_str());
}

// Of any length: the buffer is sized by asking first.
std::wstring CurrentDirectory()
{
    std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
    directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
    return directory;
}

// The state filled before the first command can arrive: the folders, the
// dialog records, and the controls at the window's DPI.
LRESULT CreateMainWindow(WindowState& state, const CREATESTRUCTW& created)
{
    state.startDirectory = CurrentDirectory();
    state.lastFolder = state.startDirectory;
    PrepareOpenFileRecord(state.openDialog, state.startDirectory.c_str(), state.window);
    PrepareSaveFileRecord(state.saveDialog, state.window);
    PlaceAtWindowDpi(state.window, created);
    CreateControls(state, created.hInstance);
    DragAcceptFiles(state.window, TRUE);
    return 0;
}

// The colour messages: the controls the window does not colour get what
// DefWindowProc gives them.
LRESULT ColorControl(WindowState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto dc = reinterpret_cast<HDC>(wParam);
    auto control = reinterpret_cast<HWND>(lParam);
    HBRUSH brush = message == WM_CTLCOLORSTATIC ? ColorStaticControl(state, dc, control)
                                                : ColorMarkedField(state, dc, control);
    return brush ? reinterpret_cast<LRESULT>(brush) : DefWindowProcW(state.window, message, wParam, lParam);
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE && !AttachWindowState(window))
        return FALSE;
    WindowState* state = StateOf(window);
    // The messages before WM_NCCREATE, such as WM_GETMINMAXINFO.
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        return CreateMainWindow(*state, *reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DPICHANGED:
        MoveToSuggestedPlace(window, lParam);
        RescaleControls(*state, HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Destroying the window would destroy the open dialog under its own
        // running code; the close waits for the player to answer it.
        if (!state->dialogOpen)
            return DefWindowProcW(window, message, wParam, lParam);
        BringDialogsForward(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ReleaseWindowState(window);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_COMMAND:
        return DispatchCommand(*state, wParam, lParam);
    case WM_DROPFILES:
        return LoadDroppedFile(*state, reinterpret_cast<HDROP>(wParam));
    case WM_INITMENUPOPUP:
        UpdateHandOffItems(*state, reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return ColorControl(*state, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A debugger shows the trace in any language; one that reads the debug
// buffer as narrow text gets it in the system's code page.
void TraceToDebugger(void*, const char* text)
{
    OutputDebugStringW(Utf8ToWide(text).c_str());
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
    HWND window = CreateWindowExW(0, MainClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, 30, 30, 700, 700, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return window;
}

void LoadCommandLineFile(HWND window)
{
    WindowState* state = StateOf(window);
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (state && arguments && count >= 2)
        LoadGivenFile(*state, arguments[1]);
    LocalFree(arguments);
}

void RouteTraceToDebugger()
{
    SetTraceSink(TraceToDebugger);
}
