// The window at any display scaling: the control map's 96-DPI layout and
// fonts at the window's DPI, at creation and after a move onto a monitor
// of another DPI; the report's font at its dialog's DPI; the manifest that
// asks Windows for all this. The test command runs them at 96 DPI and again
// in a prefix at the DPI that TORUME_DPI names.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AnalysisReport.h"
#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/HandleTables.h"
#include "app/MainWindow.h"
#include "app/Win32Form.h"
#include "app/testing/MainWindowFixture.h"
#include "app/testing/WindowTesting.h"
#include "form/ControlMap.h"
#include "resources/resource.h"

namespace {

int PrefixDpi()
{
    wchar_t value[8] = L"";
    return GetEnvironmentVariableW(L"TORUME_DPI", value, 8) ? _wtoi(value) : 96;
}

int Scaled(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, 96);
}

LOGFONTW LogFontOf(HFONT font)
{
    LOGFONTW logFont{};
    GetObjectW(font, sizeof logFont, &logFont);
    return logFont;
}

// The system font's height at dpi: Windows sizes it for its own DPI only.
int SystemFontHeightAt(int dpi)
{
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(LogFontOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))).lfHeight, dpi, systemDpi);
}

// The font a control draws its text in: its own, or else the system font.
HFONT TextFontOf(HWND control)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// Whether a line of digits is whole in the control, as numbers cut at the
// bottom of their field are not: digits stand on the baseline, the font's
// ascent below the top of the client area.
bool DigitsFit(HWND control)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, TextFontOf(control));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    RECT client;
    GetClientRect(control, &client);
    return metrics.tmAscent <= client.bottom;
}

// The control map's own font of a control at dpi, by cell height and
// weight, or 0 for a control that shows its text in the system font's size.
struct MapFont {
    int height;
    int weight;
};

MapFont MapFontOf(const ControlDef& def, int dpi)
{
    if (def.highlighted)
        return {Scaled(20, dpi), FW_BOLD};
    if (def.kind == ControlKind::Combo || def.kind == ControlKind::Button)
        return {Scaled(16, dpi), FW_NORMAL};
    return {0, 0};
}

void ExpectFontAt(HWND control, const ControlDef& def, int dpi)
{
    const LOGFONTW font = LogFontOf(TextFontOf(control));
    const MapFont mapFont = MapFontOf(def, dpi);
    if (mapFont.height) {
        EXPECT_EQ(font.lfHeight, mapFont.height);
        EXPECT_EQ(font.lfWeight, mapFont.weight);
    } else {
        EXPECT_EQ(font.lfHeight, SystemFontHeightAt(dpi)) << "the system font's size at the window's DPI";
    }
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << "Japanese at any DPI";
    if (def.kind != ControlKind::Group && def.kind != ControlKind::Combo) {
        EXPECT_TRUE(DigitsFit(control)) << "a line of digits whole";
    }
}

class ScaledWindowTest : public MainWindowFixture {
protected:
    // Every control where the control map puts it at dpi, its corners scaled,
    // in its font at dpi.
    static void ExpectControlsAt(int dpi)
    {
        for (const ControlDef& def : ControlMap) {
            SCOPED_TRACE(def.name);
            HWND control = Control(def.id);
            RECT rect;
            GetWindowRect(control, &rect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, Scaled(def.x, dpi));
            EXPECT_EQ(rect.top, Scaled(def.y, dpi));
            // A vertical up-down control chooses its own width.
            if (def.kind != ControlKind::Spin) {
                EXPECT_EQ(rect.right, Scaled(def.x + def.width, dpi));
            }
            if (def.kind == ControlKind::Combo) {
                // The height given reaches the bottom of the dropped list, which
                // Wine places below the box. A new list keeps what its height
                // left below the box in the system font, before the box took
                // its own: a few pixels short.
                RECT dropped;
                SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
                const LONG reach = (rect.bottom - rect.top) + (dropped.bottom - dropped.top);
                EXPECT_NEAR(rect.top + reach, Scaled(def.y + def.height, dpi), Scaled(3, dpi));
            } else {
                EXPECT_EQ(rect.bottom, Scaled(def.y + def.height, dpi));
            }
            if (def.kind != ControlKind::Spin)
                ExpectFontAt(control, def, dpi);
        }
    }

    // What a new layout keeps: every control's text, list selection and
    // check, the marked rows, the focus and the selection in its field.
    static std::string ScreenState()
    {
        std::string state;
        for (const ControlDef& def : ControlMap) {
            HWND control = Control(def.id);
            state += std::to_string(def.id) + ":" + TextOf(control) + "|" +
                     std::to_string(SendMessageW(control, CB_GETCURSEL, 0, 0)) + "|" +
                     std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)) + "\n";
        }
        HDC dc = CreateCompatibleDC(nullptr);
        for (int r = 0; r < ObservationRowCount; ++r) {
            SetBkColor(dc, RGB(1, 2, 3));
            SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(Control(IDC_OBS_DAMAGE_0 + r)));
            state += GetBkColor(dc) == HighlightText ? "marked " : "- ";
        }
        DeleteDC(dc);
        DWORD start = 0, end = 0;
        SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return state + "\nfocus " + std::to_string(GetDlgCtrlID(GetFocus())) + " selecting " +
               std::to_string(start) + "-" + std::to_string(end);
    }
};

TEST_F(ScaledWindowTest, WindowAndControlsAreTheLayoutAtTheWindowsDpi)
{
    const int dpi = PrefixDpi();
    ASSERT_EQ(GetDpiForWindow(window), static_cast<UINT>(dpi)) << "the prefix's DPI";
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, Scaled(30, dpi));
    EXPECT_EQ(rect.top, Scaled(30, dpi));
    EXPECT_EQ(rect.right, Scaled(730, dpi));
    EXPECT_EQ(rect.bottom, Scaled(730, dpi));
    ExpectControlsAt(dpi);
}

// Windows sends WM_DPICHANGED when the window moves onto a monitor of
// another scaling, with the place it suggests there. Its layout follows to
// 125 % and 200 %, and back to where it started, without losing anything
// the player typed, chose or sees marked.
TEST_F(ScaledWindowTest, OnAMonitorOfAnotherDpiItLaysItselfOutAgainAndKeepsItsState)
{
    const std::filesystem::path example = std::filesystem::path(TORUME_EXAMPLES) / "partial-success.txt";
    ASSERT_EQ(LoadObservationPath(State(), std::filesystem::absolute(example).c_str()), FileLoadResult::Loaded);
    Command(IDC_EST_RUN); // marks its fourth damage
    SendMessageW(Control(IDC_ATTACK_UP), BM_SETCHECK, BST_CHECKED, 0);
    MainForm().SetSelection(IDC_ATTR_RATE2, 7);
    SetForegroundWindow(window);
    SetFocus(Control(IDC_OBS_POWER_0 + 2));
    SendMessageW(GetFocus(), EM_SETSEL, 1, 3);
    const std::string before = ScreenState();
    ASSERT_NE(before.find("- - - marked - -"), std::string::npos) << before;

    const int start = PrefixDpi();
    const struct {
        int dpi;
        RECT suggested;
    } moves[] = {
        {120, {40, 20, 915, 745}},
        {192, {0, 0, 1000, 760}},
        {start, {Scaled(30, start), Scaled(30, start), Scaled(730, start), Scaled(730, start)}},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(std::to_string(move.dpi) + " DPI");
        EXPECT_EQ(SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(move.dpi, move.dpi),
                               reinterpret_cast<LPARAM>(&move.suggested)),
                  0);
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_TRUE(EqualRect(&rect, &move.suggested)) << "the place Windows suggests";
        ExpectControlsAt(move.dpi);
        EXPECT_EQ(ScreenState(), before);
    }
}

// The report's columns need its own fixed-pitch font, at the dialog's DPI
// when it opens and when it moves onto a monitor of another DPI.
TEST_F(ScaledWindowTest, ReportFontIsAtTheDialogsDpi)
{
    const int start = PrefixDpi();
    const struct {
        int newDpi; // 0: none
        int fontDpi;
    } cases[] = {{0, start}, {192, 192}, {120, 120}, {0, start}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.newDpi) + " DPI told");
        DialogAnswer answer = Answer("候補一覧と診断", window, IDCANCEL);
        answer.readControl = IDC_REPORT_TEXT;
        answer.newDpi = c.newDpi;
        DialogAnswerer answerer({answer});
        EXPECT_EQ(Command(IDM_ANALYSIS_REPORT), 0);
        const DialogAnswer& shown = answerer.Finish()[0];
        ASSERT_TRUE(shown.found);
        EXPECT_EQ(shown.font, State().reportFont);
        const LOGFONTW font = LogFontOf(shown.font);
        EXPECT_EQ(font.lfHeight, Scaled(16, c.fontDpi));
        EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
    }
}

// Windows reads each setting only in its own namespace and passes over a
// misspelt one without a word: the window would be stretched as a bitmap,
// blurred. Wine scales no program, aware or not, so only the settings it
// reads tell.
TEST(ManifestTest, AsksForPerMonitorDpiAwarenessAndLongPaths)
{
    const wchar_t* const settings2005 = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
    const wchar_t* const settings2016 = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
    const struct {
        const wchar_t* space;
        const wchar_t* name;
        const wchar_t* value;
    } settings[] = {
        {settings2005, L"dpiAware", L"true/pm"},
        {settings2016, L"dpiAwareness", L"PerMonitorV2"},
        {settings2016, L"longPathAware", L"true"},
    };
    for (const auto& setting : settings) {
        wchar_t value[32] = L"";
        SIZE_T length = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr, setting.space, setting.name, value, 32, &length))
            << "no " << setting.name;
        EXPECT_STREQ(value, setting.value);
    }
}

} // namespace
