// Tests in the real main window: created through the platform, checked
// through the platform.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Controls.h"
#include "app/FileLoad.h"
#include "app/HandleTables.h"
#include "app/MainWindow.h"
#include "app/MessageLoop.h"
#include "app/Win32Form.h"
#include "app/testing/MainWindowFixture.h"
#include "app/testing/WindowTesting.h"
#include "damage/SpellMode.h"
#include "encoding/TextEncoding.h"
#include "form/ControlMap.h"
#include "messages/Messages.h"
#include "resources/ResourceText.h"
#include "resources/resource.h"

namespace {

// What a WM_CTLCOLORSTATIC answer gives a control: the brush, and the
// colours and mode it leaves in a DC.
struct StaticColour {
    LRESULT brush;
    COLORREF text;
    COLORREF background;
    int mode;

    bool operator==(const StaticColour&) const = default;
    friend void PrintTo(const StaticColour& c, std::ostream* out)
    {
        *out << "brush " << c.brush << ", text " << c.text << ", background " << c.background << ", mode " << c.mode;
    }
};

class MainWindowTest : public MainWindowFixture {
protected:
    static std::string Text(int id) { return TextOf(Control(id)); }

    // The window's answer through procedure, SendMessageW or DefWindowProcW,
    // from a DC in colours of its own.
    static StaticColour StaticColourOf(HWND control, decltype(&SendMessageW) procedure)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        SetBkMode(dc, OPAQUE);
        const LRESULT brush =
            procedure(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
        const StaticColour colour{brush, GetTextColor(dc), GetBkColor(dc), GetBkMode(dc)};
        DeleteDC(dc);
        return colour;
    }

    // Every control's text, selection, check and enabled state, but those of
    // the controls left out.
    static std::string Snapshot(const std::vector<int>& leftOut = {})
    {
        std::string state;
        for (const ControlDef& def : ControlMap) {
            if (std::find(leftOut.begin(), leftOut.end(), def.id) != leftOut.end())
                continue;
            HWND control = Control(def.id);
            state += std::to_string(def.id) + ":" + TextOf(control) + "|" +
                     std::to_string(SendMessageA(control, CB_GETCURSEL, 0, 0)) + "|" +
                     std::to_string(IsWindowEnabled(control)) + "\n";
            if (def.kind == ControlKind::Check)
                state += std::to_string(SendMessageA(control, BM_GETCHECK, 0, 0)) + "\n";
        }
        return state;
    }
};

TEST_F(MainWindowTest, WindowHasItsClassTitlePlaceAndSize)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "HP");
    EXPECT_EQ(TextOf(window), "トルメ ダメージ計算機");
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW));
    EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(BLACK_BRUSH)));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right - rect.left, 700);
    EXPECT_EQ(rect.bottom - rect.top, 700);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(MainWindowTest, MenuHasFileAndAnalysisWithTheirItemsSeparatorsAndSubmenu)
{
    const struct {
        const char* name;
        std::vector<UINT> ids; // 0: a separator; -1: a submenu
        std::vector<const char*> items;
    } popups[] = {
        {"ファイル",
         {IDM_FILE_LOAD, IDM_FILE_SAVE, 0, IDM_EXIT},
         {"ファイル読み込み\tCtrl+O", "観測データを保存...\tCtrl+S", "", "アプリケーションの終了"}},
        {"解析",
         {IDM_ANALYSIS_REPORT, IDM_COPY_REPORT, 0, static_cast<UINT>(-1)},
         {"候補一覧と診断...", "結果をコピー", "", "推定値を計算パネルへ"}},
        {"推定値を計算パネルへ", {IDM_HANDOFF_SLASH, IDM_HANDOFF_STRIKE, IDM_HANDOFF_THRUST}, {"斬", "打", "突"}},
    };
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    const HMENU menus[] = {GetSubMenu(bar, 0), GetSubMenu(bar, 1), GetSubMenu(GetSubMenu(bar, 1), 3)};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(popups[p].name);
        EXPECT_EQ(p < 2 ? MenuStringOf(bar, p) : MenuStringOf(menus[1], 3), popups[p].name);
        HMENU popup = menus[p];
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(popups[p].ids.size()));
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            EXPECT_EQ(GetMenuItemID(popup, i), popups[p].ids[static_cast<std::size_t>(i)]);
            EXPECT_EQ(MenuStringOf(popup, i), popups[p].items[static_cast<std::size_t>(i)]);
            const bool separator = (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
            EXPECT_EQ(separator, popups[p].ids[static_cast<std::size_t>(i)] == 0) << "item " << i;
        }
    }
}

TEST_F(MainWindowTest, EveryControlMatchesTheControlMap)
{
    HWND previous = nullptr;
    for (const ControlDef& def : ControlMap) {
        SCOPED_TRACE(def.name);
        HWND control = Control(def.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), window);
        EXPECT_EQ(GetDlgCtrlID(control), def.id);
        char className[32] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_EQ(_stricmp(className, ClassNameOf(def.kind)), 0) << className;
        if (def.kind != ControlKind::Combo) {
            EXPECT_EQ(TextOf(control), def.text);
        }
        // A combo box hands WS_VSCROLL on to its dropped list.
        const DWORD moved = def.kind == ControlKind::Combo ? WS_VSCROLL : 0;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), def.style & ~moved);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)), def.exStyle);

        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, def.x);
        EXPECT_EQ(rect.top, def.y);
        // A vertical up-down control chooses its own width.
        if (def.kind != ControlKind::Spin) {
            EXPECT_EQ(rect.right - rect.left, def.width);
        }
        if (def.kind == ControlKind::Combo) {
            // The height given is that of the closed box with its dropped
            // list. Windows reports the box with the list, Wine the list
            // alone, placed below the box within the list's 2-pixel frame.
            RECT dropped;
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&dropped), 2);
            const LONG reach = std::max(dropped.bottom - rect.top,
                                        (rect.bottom - rect.top) + (dropped.bottom - dropped.top));
            EXPECT_NEAR(reach, def.height, 2);
        } else {
            EXPECT_EQ(rect.bottom - rect.top, def.height);
        }
        // Sibling order is creation order, the Tab order.
        EXPECT_EQ(GetWindow(control, GW_HWNDPREV), previous);
        previous = control;
    }
}

TEST_F(MainWindowTest, ListsHoldTheirItemsAndSelections)
{
    for (const ControlDef& def : ControlMap) {
        if (def.kind != ControlKind::Combo)
            continue;
        SCOPED_TRACE(def.name);
        HWND control = Control(def.id);
        ASSERT_EQ(SendMessageA(control, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(def.items.size()));
        for (std::size_t i = 0; i < def.items.size(); ++i)
            EXPECT_EQ(ListItemOf(control, static_cast<int>(i)), def.items[i]);
        EXPECT_EQ(SendMessageA(control, CB_GETCURSEL, 0, 0), def.selection);
    }
    EXPECT_EQ(Text(IDC_ATTR_RATE), "100");
    EXPECT_EQ(Text(IDC_OBS_ATTR_0 + 5), "斬");
    EXPECT_EQ(Text(IDC_OBS_CHAIN_0 + 2), "連携無し");
}

TEST_F(MainWindowTest, SpinButtonsStepTheirBuddiesWithinTheirRanges)
{
    for (const ControlDef& def : ControlMap) {
        if (def.kind != ControlKind::Spin)
            continue;
        SCOPED_TRACE(def.name);
        HWND spin = Control(def.id);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)), Control(def.buddyId));
        int low = -1, high = -1;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, def.rangeLow);
        EXPECT_EQ(high, def.rangeHigh);
    }
}

TEST_F(MainWindowTest, ArrowKeysStopAtTheSpinRanges)
{
    for (const ControlDef& def : ControlMap) {
        if (def.kind != ControlKind::Spin)
            continue;
        SCOPED_TRACE(def.name);
        HWND buddy = Control(def.buddyId);
        SetWindowTextA(buddy, std::to_string(def.rangeHigh - 1).c_str());
        for (int i = 0; i < 2; ++i)
            SendMessageA(buddy, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(TextOf(buddy), std::to_string(def.rangeHigh));
        SetWindowTextA(buddy, std::to_string(def.rangeLow + 1).c_str());
        for (int i = 0; i < 2; ++i)
            SendMessageA(buddy, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(TextOf(buddy), std::to_string(def.rangeLow));
    }
}

TEST_F(MainWindowTest, TabMovesAmongTheTabStopsInCreationOrder)
{
    std::vector<HWND> stops;
    for (const ControlDef& def : ControlMap)
        if (def.style & WS_TABSTOP)
            stops.push_back(Control(def.id));
    ASSERT_EQ(stops.size(), 7u + 6u * 7u);
    SetForegroundWindow(window);
    SetFocus(stops[0]);
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        // The message loop hands keys to the dialog manager first.
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        EXPECT_TRUE(IsDialogMessageA(window, &tab));
        EXPECT_EQ(GetFocus(), stops[i % stops.size()]) << "after Tab " << i;
    }
}

TEST_F(MainWindowTest, FontsGoToExactlyTheirControls)
{
    for (const ControlDef& def : ControlMap) {
        SCOPED_TRACE(def.name);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(Control(def.id), WM_GETFONT, 0, 0));
        const bool normal = def.kind == ControlKind::Combo || def.kind == ControlKind::Button;
        if (!def.highlighted && !normal) {
            // The system font where it shows Japanese, else a Japanese font of its size.
            if (font) {
                LOGFONTW system{}, standIn{};
                GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
                GetObjectW(font, sizeof standIn, &standIn);
                EXPECT_NE(system.lfCharSet, SHIFTJIS_CHARSET);
                EXPECT_EQ(standIn.lfCharSet, SHIFTJIS_CHARSET);
                EXPECT_EQ(standIn.lfHeight, system.lfHeight);
                EXPECT_STREQ(standIn.lfFaceName, L"ＭＳ ゴシック");
            }
            const bool systemFont = GetACP() == 932 || def.kind == ControlKind::Spin;
            EXPECT_EQ(font == nullptr, systemFont) << "on a Japanese system, no font of the program's";
            continue;
        }
        ASSERT_NE(font, nullptr);
        LOGFONTW logFont{};
        ASSERT_NE(GetObjectW(font, sizeof logFont, &logFont), 0);
        EXPECT_EQ(logFont.lfHeight, def.highlighted ? 20 : 16);
        EXPECT_EQ(logFont.lfWeight, def.highlighted ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(logFont.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(logFont.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(logFont.lfPitchAndFamily, VARIABLE_PITCH | FF_DONTCARE);
        EXPECT_STREQ(logFont.lfFaceName, L"ＭＳ ゴシック");
    }
}

// The controls the window does not colour, and a window that only shares
// a label's ID, get DefWindowProc's colours.
TEST_F(MainWindowTest, StaticControlsAreColouredOnBlack)
{
    for (const ControlDef& def : ControlMap) {
        SCOPED_TRACE(def.name);
        const StaticColour colour = StaticColourOf(Control(def.id), SendMessageW);
        const bool coloured =
            def.kind == ControlKind::Label || def.kind == ControlKind::Group || def.kind == ControlKind::Check;
        if (!coloured) {
            EXPECT_EQ(colour, StaticColourOf(Control(def.id), DefWindowProcW));
            continue;
        }
        EXPECT_EQ(colour.brush, reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
        EXPECT_EQ(colour.text, def.highlighted ? RGB(255, 180, 180) : RGB(255, 255, 255));
        EXPECT_EQ(colour.mode, TRANSPARENT);
    }
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND namesake = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, other,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RESULT_CRIT)), nullptr, nullptr);
    EXPECT_EQ(StaticColourOf(namesake, SendMessageW), StaticColourOf(namesake, DefWindowProcW));
    DestroyWindow(other);
}

TEST_F(MainWindowTest, CalculateButtonWritesTheThreeResults)
{
    SendMessageA(Control(IDC_CALC_RUN), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(IDC_RESULT_CRIT), "1170");
    EXPECT_EQ(Text(IDC_RESULT_AVG), "780");
    EXPECT_EQ(Text(IDC_RESULT_MIN), "585");

    SetWindowTextA(Control(IDC_ATTACK), "20");
    SetWindowTextA(Control(IDC_DEFENSE), "10");
    EXPECT_EQ(Command(IDC_CALC_RUN), 0);
    EXPECT_EQ(Text(IDC_RESULT_CRIT), "414");
    EXPECT_EQ(Text(IDC_RESULT_AVG), "276");
    EXPECT_EQ(Text(IDC_RESULT_MIN), "207");
}

// The input method left on types full-width digits, signs and spaces, and
// a paste bypasses the numbers-only style: they read as the ASCII ones.
TEST_F(MainWindowTest, FullWidthDigitsComputeWhatTheirAsciiDigitsCompute)
{
    SetWindowTextW(Control(IDC_ATTACK), L"＋２０");
    SetWindowTextW(Control(IDC_DEFENSE), L"\x3000１０");
    EXPECT_EQ(Command(IDC_CALC_RUN), 0);
    EXPECT_EQ(Text(IDC_RESULT_CRIT), "414");
    EXPECT_EQ(Text(IDC_RESULT_AVG), "276");
    EXPECT_EQ(Text(IDC_RESULT_MIN), "207");
}

// On a system whose code page is 932, a program that reads the window
// through the ANSI messages gets the bytes it always got.
TEST_F(MainWindowTest, AnsiReadersOfAJapaneseSystemGetTheSameBytes)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "the system's code page is " << GetACP();
    char title[64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(title, Utf8ToCp932(TEXT_PRODUCT_NAME));
    for (const ControlDef& def : ControlMap) {
        if (def.kind == ControlKind::Combo)
            continue;
        char text[256] = "";
        GetWindowTextA(Control(def.id), text, sizeof text);
        EXPECT_EQ(text, Utf8ToCp932(def.text)) << def.name;
    }
    char item[16] = "";
    SendMessageA(Control(IDC_OBS_CHAIN_0), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(item, Utf8ToCp932(ChainItems[1]));
}

TEST_F(MainWindowTest, EstimateButtonWritesTheResultLabels)
{
    const char* rows[4][7] = {{"1208", "50", "300", "0", "10", "10", "0"},
                              {"878", "55", "250", "1", "10", "10", "0"},
                              {"1776", "45", "320", "2", "10", "10", "2"},
                              {"1522", "60", "280", "0", "5", "20", "0"}};
    for (int r = 0; r < 4; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        MainForm().SetText(row.damage, rows[r][0]);
        MainForm().SetText(row.attack, rows[r][1]);
        MainForm().SetText(row.power, rows[r][2]);
        MainForm().SetSelection(row.attribute, std::atoi(rows[r][3]));
        MainForm().SetText(row.strength, rows[r][4]);
        MainForm().SetText(row.charm, rows[r][5]);
        MainForm().SetSelection(row.chain, std::atoi(rows[r][6]));
    }
    SendMessageA(Control(IDC_EST_RUN), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(IDC_EST_DEFENSE), "30");
    EXPECT_EQ(Text(IDC_EST_RATE_STRIKE), "0.750");
    EXPECT_EQ(Text(IDC_EST_SUMMARY), "計算成功 4データ中 4データ再現");
    EXPECT_EQ(Text(IDC_EST_PREDICTED), "1208  878  1776  1522  ");
    EXPECT_EQ(Text(IDC_EST_MORE), "");
}

TEST_F(MainWindowTest, Win32FormReadsAndWritesThroughThePlatform)
{
    SetWindowTextA(Control(IDC_POWER), std::string(150, '7').c_str());
    EXPECT_EQ(MainForm().GetText(IDC_POWER).View(), std::string(99, '7'));
    MainForm().SetSelection(IDC_OBS_ATTR_0, 3);
    EXPECT_EQ(MainForm().GetSelection(IDC_OBS_ATTR_0), -1);
    MainForm().SetSelection(IDC_OBS_CHAIN_0, 4);
    EXPECT_EQ(Text(IDC_OBS_CHAIN_0), "5連携");
    MainForm().SetSelection(IDC_OBS_CHAIN_0, -1);
    EXPECT_EQ(MainForm().GetSelection(IDC_OBS_CHAIN_0), -1);
    MainForm().SetText(IDC_OBS_ATTACK_0, "-35");
    EXPECT_EQ(MainForm().GetNumber(IDC_OBS_ATTACK_0), -35) << "texts written by the program are not filtered";
    EXPECT_EQ(MainForm().GetSelection(1234), -1);
    EXPECT_EQ(MainForm().GetText(1234).View(), "");
}

TEST_F(MainWindowTest, SpellModeSwitchesBothWays)
{
    HWND spell = Control(IDC_SPELL_MODE);
    SendMessageA(Control(IDC_DEFENSE_DOWN), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(Control(IDC_ATTR_RATE2), CB_SETCURSEL, 7, 0);

    SendMessageA(spell, BM_CLICK, 0, 0); // ticks the box, then sends the command
    EXPECT_EQ(Text(IDC_CALC_HEADER), SpellModeHeaderText);
    EXPECT_EQ(Text(IDC_ATTACK_UP), "術適上昇");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DEFENSE)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_ATTR_RATE2)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_DEFENSE_DOWN)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_DEFENSE_SPIN)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_ATTACK_UP)));
    EXPECT_EQ(Text(IDC_ATTR_RATE2), "100");
    EXPECT_EQ(SendMessageA(Control(IDC_DEFENSE_DOWN), BM_GETCHECK, 0, 0), BST_CHECKED);
    Command(IDC_CALC_RUN);
    EXPECT_EQ(Text(IDC_RESULT_CRIT), "1080");
    // A disabled edit field gets no colour of its own.
    EXPECT_EQ(StaticColourOf(Control(IDC_DEFENSE), SendMessageW), StaticColourOf(Control(IDC_DEFENSE), DefWindowProcW));

    SendMessageA(spell, BM_CLICK, 0, 0);
    EXPECT_EQ(Text(IDC_CALC_HEADER), FindControlDef(IDC_CALC_HEADER)->text);
    EXPECT_EQ(Text(IDC_ATTACK_UP), "攻上昇");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_DEFENSE)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_ATTR_RATE2)));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_DEFENSE_DOWN)));
    EXPECT_EQ(Text(IDC_ATTR_RATE2), "100");
    EXPECT_EQ(SendMessageA(Control(IDC_DEFENSE_DOWN), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(MainWindowTest, UnknownCommandsDoNothing)
{
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "1208");
    const std::string before = Snapshot();
    for (int id : {IDC_ATTACK, IDC_OBS_DAMAGE_0, IDC_OBS_ATTR_0, IDC_ATTR_RATE, IDC_ATTACK_UP, IDC_DEFENSE_DOWN,
                   IDR_MAINMENU, 0, 9999}) {
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), 0), 0) << id;
    }
    EXPECT_EQ(Snapshot(), before);
    EXPECT_TRUE(IsWindow(window));
}

// "解析" → "推定値を計算パネルへ": opened, the submenu greys each
// attribute the estimate of the rows on screen has no rate for; an item
// chosen sets 敵防御 and the first rate list to the estimate's and writes
// the results, the rest of the window as it was. A greyed one, reached
// all the same, changes nothing.
TEST_F(MainWindowTest, EstimateHandOffSetsTheCalculatorPanel)
{
    const struct {
        const char* example; // null: no row with a damage
        int item;
        bool enabled;
        const char* after;   // 敵防御, the rate, the three results
    } cases[] = {
        {"worked-example.txt", IDM_HANDOFF_SLASH, true, "30 100 1760 1173 880"},
        {"worked-example.txt", IDM_HANDOFF_STRIKE, true, "30 75 1320 880 660"},
        {"worked-example.txt", IDM_HANDOFF_THRUST, true, "30 125 2200 1467 1100"},
        {"boss-second-try.txt", IDM_HANDOFF_SLASH, false, "55 112.5 ? ? ?"},
        {"boss-second-try.txt", IDM_HANDOFF_STRIKE, false, "55 112.5 ? ? ?"},
        {"boss-second-try.txt", IDM_HANDOFF_THRUST, true, "92 62.5 505 336 252"},
        {nullptr, IDM_HANDOFF_SLASH, false, "55 112.5 ? ? ?"},
    };
    const std::vector<int> handedOff = {IDC_DEFENSE, IDC_ATTR_RATE, IDC_RESULT_CRIT, IDC_RESULT_AVG, IDC_RESULT_MIN};
    HMENU submenu = GetSubMenu(GetSubMenu(GetMenu(window), 1), 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.example ? c.example : "no rows") + " " + std::to_string(c.item));
        for (int r = 0; r < ObservationRowCount; ++r)
            MainForm().SetText(ObservationRowIds(r).damage, "0");
        if (c.example) {
            const auto example = std::filesystem::absolute(std::filesystem::path(TORUME_EXAMPLES) / c.example);
            ASSERT_EQ(LoadObservationPath(State(), example.c_str()), FileLoadResult::Loaded);
        }
        // Not the calculator's defaults, which the hand-off must leave.
        MainForm().SetText(IDC_ATTACK, "60");
        MainForm().SetText(IDC_CHARM, "7");
        SendMessageA(Control(IDC_ATTACK_UP), BM_SETCHECK, BST_CHECKED, 0);
        MainForm().SetSelection(IDC_ATTR_RATE2, 2);
        MainForm().SetText(IDC_DEFENSE, "55");
        MainForm().SetSelection(IDC_ATTR_RATE, 5);
        for (int id : {IDC_RESULT_CRIT, IDC_RESULT_AVG, IDC_RESULT_MIN})
            MainForm().SetText(id, "?");
        const std::string rest = Snapshot(handedOff);

        SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), MAKELPARAM(3, FALSE));
        EXPECT_EQ((GetMenuState(submenu, c.item, MF_BYCOMMAND) & MF_GRAYED) == 0, c.enabled);
        EXPECT_EQ(Command(c.item), 0);
        std::string after;
        for (int id : handedOff)
            after += (after.empty() ? "" : " ") + Text(id);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(Snapshot(handedOff), rest);
    }
}

TEST_F(MainWindowTest, ExitAnsweredNoKeepsEverything)
{
    SetWindowTextA(Control(IDC_ATTACK), "77");
    const std::string before = Snapshot();
    DialogAnswerer answerer({Answer(MessageText(MessageId::ExitCaption), window, IDNO)});
    EXPECT_EQ(Command(IDM_EXIT), 0);
    const DialogAnswer& answer = answerer.Finish()[0];
    EXPECT_TRUE(answer.found);
    EXPECT_EQ(answer.message, MessageText(MessageId::ExitQuestion));
    EXPECT_FALSE(answer.ownerEnabled) << "the question is modal to the main window";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(MainWindowTest, ExitAnsweredYesEndsTheLoopWithZero)
{
    DialogAnswerer answerer({Answer(MessageText(MessageId::ExitCaption), window, IDYES)});
    EXPECT_EQ(Command(IDM_EXIT), 0);
    EXPECT_TRUE(answerer.Finish()[0].found);
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

// Whether a window draws the damage field of row r (0-based) marked.
bool DrawsMarked(HWND window, int r)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(ControlHandle(StateOf(window)->handles, IDC_OBS_DAMAGE_0 + r)));
    const bool marked = GetBkColor(dc) == HighlightText;
    DeleteDC(dc);
    return marked;
}

// Two windows at once: each keeps its own rows, marks and fonts, and gives
// its fonts and brush back when it goes, while the other works on.
TEST_F(MainWindowTest, EachWindowHasItsOwnStateAndReleasesItsFontsWhenDestroyed)
{
    const std::wstring example =
        std::filesystem::absolute(std::filesystem::path(TORUME_EXAMPLES) / "partial-success.txt").wstring();
    ASSERT_EQ(LoadObservationPath(State(), example.c_str()), FileLoadResult::Loaded);
    Command(IDC_EST_RUN); // marks the fourth damage
    const std::string rows = Snapshot();
    HWND second = StartMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(second, nullptr);
    WindowState& other = *StateOf(second);
    EXPECT_EQ(other.form.GetText(IDC_OBS_DAMAGE_0 + 3).View(), "0") << "the control map's rows";
    EXPECT_FALSE(DrawsMarked(second, 3));

    // The second window's own mark, brush and report font; a field of its own typed.
    ASSERT_EQ(LoadObservationPath(other, example.c_str()), FileLoadResult::Loaded);
    SendMessageW(second, WM_COMMAND, IDC_EST_RUN, 0);
    EXPECT_TRUE(DrawsMarked(second, 3));
    other.form.SetText(IDC_ATTACK, "77");
    DialogAnswerer answerer({Answer("候補一覧と診断", second, IDCANCEL)});
    SendMessageW(second, WM_COMMAND, IDM_ANALYSIS_REPORT, 0);
    EXPECT_TRUE(answerer.Finish()[0].found);
    std::vector<HGDIOBJ> made = {other.fonts.normal, other.fonts.bold, other.markBrush, other.reportFont};
    if (other.fonts.systemStandIn)
        made.push_back(other.fonts.systemStandIn);
    for (HGDIOBJ object : made)
        ASSERT_NE(GetObjectType(object), 0u);

    DestroyWindow(second);
    for (HGDIOBJ object : made)
        EXPECT_EQ(GetObjectType(object), 0u) << "released with its window";
    EXPECT_EQ(Snapshot(), rows) << "the first window's fields";
    EXPECT_TRUE(DrawsMarked(window, 3));
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(Control(IDC_EST_RUN), WM_GETFONT, 0, 0));
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "the first window's fonts stay";
}

class FileLoadTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        MainWindowTest::TearDown();
        std::filesystem::remove(path);
    }
    std::wstring WriteFile(const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
        return path.wstring();
    }

    // The box "file読み込み失敗", without an icon: owned by the window and
    // modal to it, so a click on the window cannot bury it.
    static void ExpectFailureBox(const DialogAnswer& box)
    {
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.message, "file読み込み失敗");
        EXPECT_EQ(box.icon, nullptr);
        EXPECT_EQ(box.foundOwner, window);
        EXPECT_FALSE(box.ownerEnabled);
    }

    std::filesystem::path path = std::filesystem::temp_directory_path() / "torume-load-test.txt";
};

TEST_F(FileLoadTest, RecordIsPreparedForTheDialog)
{
    const OPENFILENAMEW& record = State().openDialog.record;
    EXPECT_EQ(record.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(record.hwndOwner, window);
    EXPECT_EQ(std::wmemcmp(record.lpstrFilter, L"Text {*.txt}\0*.txt\0\0", 20), 0);
    EXPECT_EQ(record.nFilterIndex, 0u);
    EXPECT_EQ(record.lpstrFile, State().openDialog.path.data());
    EXPECT_EQ(record.nMaxFile, FileNameCapacity) << "a path of any length";
    EXPECT_EQ(State().openDialog.path.size(), FileNameCapacity);
    EXPECT_EQ(record.lpstrInitialDir, State().startDirectory.c_str());
    EXPECT_EQ(record.Flags, 0x21800u);
    EXPECT_EQ(record.lpstrTitle, nullptr);
    wchar_t current[MAX_PATH + 1];
    GetCurrentDirectoryW(MAX_PATH + 1, current);
    EXPECT_EQ(State().startDirectory, current);
}

TEST_F(FileLoadTest, ChosenFileFillsTheRowsAndRunsTheEstimation)
{
    const std::wstring file = WriteFile("# worked example\r\n1208 50 300 0 10 10 0\r\n878 55 250 1 10 10 0\r\n"
                                       "1776 45 320 2 10 10 3\r\n1522 60 280 0 5 20 0\r\n");
    DialogAnswerer answerer({Answer(nullptr, window, IDOK, file)});
    EXPECT_EQ(Command(IDM_FILE_LOAD), 0);
    const DialogAnswer& answer = answerer.Finish()[0];
    ASSERT_TRUE(answer.found);
    EXPECT_FALSE(answer.ownerEnabled) << "the dialog is modal to the main window";
    EXPECT_EQ(Text(IDC_OBS_DAMAGE_0 + 2), "1776");
    EXPECT_EQ(Text(IDC_OBS_ATTR_0 + 2), "突");
    EXPECT_EQ(Text(IDC_OBS_CHAIN_0 + 2), "3連携");
    EXPECT_EQ(Text(IDC_OBS_DAMAGE_0 + 4), "0");
    EXPECT_EQ(Text(IDC_EST_DEFENSE), "30");
    EXPECT_EQ(Text(IDC_EST_SUMMARY), "計算成功 4データ中 4データ再現");
    EXPECT_EQ(_wcsicmp(State().openDialog.path.data(), file.c_str()), 0) << "the path is kept for the next time";
}

TEST_F(FileLoadTest, CancelledDialogChangesNothing)
{
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "1208");
    const std::string before = Snapshot();
    DialogAnswerer answerer({Answer(nullptr, window, IDCANCEL)});
    EXPECT_EQ(Command(IDM_FILE_LOAD), 0);
    EXPECT_TRUE(answerer.Finish()[0].found);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileLoadTest, FileThatCannotBeOpenedShowsTheFailureMessage)
{
    const std::wstring file = WriteFile("1208 50 300 0 10 10 0\n");
    // Held open without sharing: the dialog sees the file, the load cannot open it.
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "878");
    SetWindowTextA(Control(IDC_EST_DEFENSE), "42");
    const std::string before = Snapshot();

    DialogAnswerer answerer({Answer(nullptr, window, IDOK, file), Answer(MessageText(MessageId::FailureCaption), window, IDOK)});
    EXPECT_EQ(Command(IDM_FILE_LOAD), 1);
    const auto& answers = answerer.Finish();
    CloseHandle(held);
    ExpectFailureBox(answers[1]);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileLoadTest, FileWithoutDataRowFailsLikeOneThatCannotBeOpened)
{
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "878");
    SetWindowTextA(Control(IDC_EST_DEFENSE), "42");
    const std::string before = Snapshot();
    for (const std::string& bytes : {std::string("# only a comment\r\n0 50 300 0 10 10 0\r\n"),
                                    std::string("\xFF\xFE" "1\0" "2\0", 6)}) {
        const std::wstring file = WriteFile(bytes);
        DialogAnswerer answerer({Answer(nullptr, window, IDOK, file), Answer(MessageText(MessageId::FailureCaption), window, IDOK)});
        EXPECT_EQ(Command(IDM_FILE_LOAD), 1);
        ExpectFailureBox(answerer.Finish()[1]);
        EXPECT_EQ(Snapshot(), before) << "rows and labels as they were";
    }
}

// By the platform's own calls, which reach any path length.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(folder + L"\\" + name);
        else
            DeleteFileW((folder + L"\\" + name).c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    RemoveDirectoryW(folder.c_str());
}

// Names that code page 932 cannot hold, and a path past 260 characters,
// reach the file through its UTF-16 name: chosen in the dialog, or given.
TEST_F(FileLoadTest, FilesOpenByTheirUnicodeNamesAndLongPaths)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"관측 \U0001F600 \U00020BB7";
    std::filesystem::path deep = folder;
    while (deep.wstring().size() < 300)
        deep /= L"observations-of-the-second-boss";
    std::filesystem::create_directories(deep);
    const std::string worked = "1208 50 300 0 10 10 0\r\n878 55 250 1 10 10 0\r\n1776 45 320 2 10 10 3\r\n";
    std::ofstream(folder / L"관측.txt", std::ios::binary) << worked;
    std::ofstream(deep / L"観測.txt", std::ios::binary) << worked;

    DialogAnswerer answerer({Answer(nullptr, window, IDOK, (folder / L"관측.txt").wstring())});
    EXPECT_EQ(Command(IDM_FILE_LOAD), 0);
    EXPECT_TRUE(answerer.Finish()[0].found);
    EXPECT_EQ(Text(IDC_EST_SUMMARY), "計算成功 3データ中 3データ再現") << "a folder named in Korean";

    SetWindowTextA(Control(IDC_EST_SUMMARY), "");
    EXPECT_EQ(LoadObservationPath(State(), (deep / L"観測.txt").c_str()), FileLoadResult::Loaded);
    EXPECT_EQ(Text(IDC_EST_SUMMARY), "計算成功 3データ中 3データ再現") << "a path of over 300 characters";
    // The dialog made the folder the current directory, which cannot be removed.
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    RemoveTree(folder.wstring());
}

// A close request (the title bar's close box, taskkill) while a dialog of
// the window is open brings the dialog to the front and waits for it;
// with none open, it destroys the window at once.
TEST_F(FileLoadTest, CloseRequestWaitsForTheOpenDialog)
{
    const std::wstring file = WriteFile("# no data row\r\n");
    const struct {
        const char* name;
        int command;
        std::vector<DialogAnswer> answers; // the last one is open when the close arrives
    } cases[] = {
        {"exit question", IDM_EXIT, {Answer(MessageText(MessageId::ExitCaption), window, IDNO)}},
        {"report dialog", IDM_ANALYSIS_REPORT, {Answer("候補一覧と診断", window, IDCANCEL)}},
        {"open-file dialog", IDM_FILE_LOAD, {Answer(nullptr, window, IDCANCEL)}},
        {"failure box", IDM_FILE_LOAD,
         {Answer(nullptr, window, IDOK, file), Answer(MessageText(MessageId::FailureCaption), window, IDOK)}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        c.answers.back().closeFirst = window;
        DialogAnswerer answerer(c.answers);
        Command(c.command);
        const DialogAnswer& answer = answerer.Finish().back();
        ASSERT_TRUE(answer.found);
        EXPECT_TRUE(answer.openAfterClose);
        EXPECT_TRUE(answer.frontAfterClose);
        EXPECT_TRUE(answer.restoredAfterClose);
        ASSERT_TRUE(IsWindow(window));
    }
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window)) << "no question once the dialogs are closed";
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

// A file dropped on the window loads as "ファイル読み込み" does, marks
// included; of several, the first.
TEST_F(FileLoadTest, DroppedFileLoadsAsTheMenuLoadDoes)
{
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"ドロップ 관측";
    std::filesystem::create_directories(folder);
    const std::filesystem::path first = folder / L"一部成功.txt", second = folder / L"second.txt";
    std::filesystem::copy_file(std::filesystem::path(TORUME_EXAMPLES) / "partial-success.txt", first,
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(second, std::ios::binary) << "787 75 100 0 0 0 0\r\n";
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({first.wstring(), second.wstring()})), 0);
    PumpMessages();
    EXPECT_EQ(Text(IDC_EST_SUMMARY), "計算一部成功 4データ中 3データ再現");
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(Control(IDC_OBS_DAMAGE_0 + 3))),
              0)
        << "the row the estimate does not reproduce is marked";
    DeleteDC(dc);

    // A file that cannot be read: the menu load's box, the rows as they were.
    const std::string before = Snapshot();
    DialogAnswerer answerer({Answer(MessageText(MessageId::FailureCaption), window, IDOK)});
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({(folder / L"ない.txt").wstring()})), 0);
    PumpMessages();
    ExpectFailureBox(answerer.Finish()[0]);
    EXPECT_EQ(Snapshot(), before);
    std::filesystem::remove_all(folder);
}

// Only a file on disk loads. A device may never end (COM1; under Wine
// Z:\dev\zero) and a pipe may never send a byte, and the window, reading
// on its own thread, would never answer again. Each fails at once with the
// box, as a folder does. (Given at start: torume-drive argument.)
TEST_F(FileLoadTest, WhatIsNoFileOnDiskFailsAtOnce)
{
    const std::wstring pipeName = L"\\\\.\\pipe\\torume-load-test"; // never written to
    HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"観測フォルダー.txt";
    std::filesystem::create_directories(folder);
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "878");
    const std::string before = Snapshot();
    for (const std::wstring& path : {std::wstring(L"COM1"), std::wstring(L"NUL"), std::wstring(L"Z:\\dev\\zero"),
                                     pipeName, folder.wstring()}) {
        SCOPED_TRACE(WideToUtf8(path));
        DialogAnswerer answerer({Answer(MessageText(MessageId::FailureCaption), window, IDOK)});
        PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({path})), 0);
        PumpMessages();
        ExpectFailureBox(answerer.Finish()[0]);
        EXPECT_EQ(Snapshot(), before);
    }
    CloseHandle(pipe);
    std::filesystem::remove(folder);
}

// A drop while one of the window's dialogs is open would open a second box
// inside the first: it is dropped.
TEST_F(FileLoadTest, DropWhileADialogIsOpenIsIgnored)
{
    const std::wstring file = WriteFile("1208 50 300 0 10 10 0\r\n");
    const std::string before = Snapshot();
    DialogAnswer question = Answer(MessageText(MessageId::ExitCaption), window, IDNO);
    question.sendToOwner = WM_DROPFILES;
    question.sendWParam = reinterpret_cast<WPARAM>(DropOf({file}));
    DialogAnswerer answerer({question});
    EXPECT_EQ(Command(IDM_EXIT), 0);
    EXPECT_TRUE(answerer.Finish()[0].found);
    PumpMessages();
    EXPECT_EQ(Snapshot(), before);
}

// The loop's keys: Ctrl+S and Ctrl+O open the save and the open-file
// dialog from any control; the dialog manager still moves the focus with
// Tab, and a letter without Ctrl is no shortcut. Each key goes through the
// program's own loop, which the answerer ends once the dialog is gone.
TEST_F(FileLoadTest, CtrlSAndCtrlOOpenTheirDialogsThroughTheMessageLoop)
{
    HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(accelerators, nullptr);
    SetForegroundWindow(window);
    HWND field = Control(IDC_OBS_POWER_0 + 2);
    BYTE keys[256];
    GetKeyboardState(keys);
    const auto press = [&](UINT key, bool control, DialogAnswer answer) {
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        SetFocus(field);
        answer.quitLoopAfter = true;
        DialogAnswerer answerer({answer});
        PostMessageW(field, WM_KEYDOWN, key, 1);
        EXPECT_EQ(RunMessageLoop(window, accelerators), 0);
        return answerer.Finish()[0];
    };

    MainForm().SetText(IDC_OBS_DAMAGE_0, "1208");
    EXPECT_TRUE(press('S', true, Answer(nullptr, window, IDOK, path.wstring())).found) << "Ctrl+S";
    std::ifstream saved(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(saved), {}};
    EXPECT_NE(bytes.find("\r\n1208 0 0 0 0 0 0\r\n"), std::string::npos);

    MainForm().SetText(IDC_OBS_DAMAGE_0, "0");
    EXPECT_TRUE(press('O', true, Answer(nullptr, window, IDOK, path.wstring())).found) << "Ctrl+O";
    EXPECT_EQ(Text(IDC_OBS_DAMAGE_0), "1208");

    // Had a dialog opened, the answerer would have found it.
    DialogAnswer noDialog = Answer(nullptr, window, IDCANCEL);
    noDialog.waitMilliseconds = 1000;
    EXPECT_FALSE(press(VK_TAB, false, noDialog).found);
    EXPECT_EQ(GetFocus(), Control(IDC_OBS_ATTR_0 + 2)) << "Tab";
    EXPECT_FALSE(press('S', false, noDialog).found) << "S alone";
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    DestroyAcceleratorTable(accelerators);
}

TEST_F(MainWindowTest, TraceLinesReachTheDebuggerOutput)
{
    DebugOutputListener listener;
    RouteTraceToDebugger();
    MainForm().SetText(IDC_OBS_DAMAGE_0, "787");
    MainForm().SetText(IDC_OBS_ATTACK_0, "75");
    MainForm().SetText(IDC_OBS_POWER_0, "100");
    Command(IDC_EST_RUN);
    // The estimation's 28 lines end the output: 27 candidates, then the result.
    const std::vector<std::string> lines = listener.CollectUntil("a 0 1.000 -1.000 -1.000\n");
    ASSERT_GE(lines.size(), 28u);
    const auto estimation = lines.end() - 28;
    EXPECT_EQ(estimation[0], "0, 1\n");
    EXPECT_EQ(estimation[26], "38, 1\n");
    EXPECT_EQ(estimation[27], "a 0 1.000 -1.000 -1.000\n");
}

} // namespace
