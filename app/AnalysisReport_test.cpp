// The menu "解析" in the real main window: the report dialog and the
// clipboard hold what `torume estimate --candidates` prints, the rows the
// diagnosis names are marked, no dialog opens inside another, and a busy
// clipboard is waited for or reported.
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/AnalysisReport.h"
#include "app/Controls.h"
#include "app/HandleTables.h"
#include "app/MainWindow.h"
#include "app/testing/MainWindowFixture.h"
#include "app/testing/WindowTesting.h"
#include "encoding/TextEncoding.h"
#include "form/ControlIds.h"
#include "messages/Messages.h"
#include "resources/resource.h"

namespace {

std::string Utf8(const std::wstring& text)
{
    return BytesFromWide(text, CP_UTF8);
}

std::wstring Wide(const std::string& text, UINT codePage)
{
    return WideFromBytes(text, codePage);
}

// What torume prints for the example (kept beside the command-line
// program's tests, which check it against torume), with the window's CRLF.
std::string ExpectedReport(const std::string& example)
{
    std::ifstream file(std::filesystem::path(TORUME_EXPECTED_REPORTS) / example, std::ios::binary);
    std::string report;
    for (char c : std::string(std::istreambuf_iterator<char>(file), {}))
        report += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return report;
}

// The clipboard's Unicode text, and on a system whose code page is 932 also
// the narrow text the system makes of it for older programs, both in UTF-8.
std::vector<std::string> ClipboardTexts()
{
    std::vector<std::string> texts;
    if (!OpenClipboard(nullptr))
        return texts;
    if (HANDLE unicode = GetClipboardData(CF_UNICODETEXT)) {
        texts.push_back(Utf8(static_cast<const wchar_t*>(GlobalLock(unicode))));
        GlobalUnlock(unicode);
    }
    HANDLE ansi = GetACP() == 932 ? GetClipboardData(CF_TEXT) : nullptr;
    if (ansi) {
        texts.push_back(Utf8(Wide(static_cast<const char*>(GlobalLock(ansi)), 932)));
        GlobalUnlock(ansi);
    }
    CloseClipboard();
    return texts;
}

// What ClipboardTexts reads after a copy of text.
std::vector<std::string> Copied(const std::string& text)
{
    return std::vector<std::string>(GetACP() == 932 ? 2 : 1, text);
}

void EmptyTheClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

void PutTextOnClipboard(const std::wstring& text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
}

// Another program holding the clipboard open, played by a thread of this
// process: the clipboard refuses every other thread meanwhile.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD milliseconds) : milliseconds(milliseconds)
    {
        opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = CreateThread(nullptr, 0, Hold, this, 0, nullptr);
        WaitForSingleObject(opened, 10000);
    }
    ~ClipboardHolder()
    {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        CloseHandle(opened);
    }

private:
    static DWORD WINAPI Hold(void* self)
    {
        auto& holder = *static_cast<ClipboardHolder*>(self);
        while (!OpenClipboard(nullptr))
            Sleep(5);
        SetEvent(holder.opened);
        Sleep(holder.milliseconds);
        CloseClipboard();
        return 0;
    }
    DWORD milliseconds;
    HANDLE opened, thread;
};

class AnalysisTest : public MainWindowFixture {
protected:
    // Through the menu command and its open-file dialog.
    static void LoadExample(const std::string& example)
    {
        wchar_t path[MAX_PATH] = L"";
        GetFullPathNameW((std::filesystem::path(TORUME_EXAMPLES) / example).c_str(), MAX_PATH, path, nullptr);
        DialogAnswerer answerer({Answer(nullptr, window, IDOK, path)});
        EXPECT_EQ(Command(IDM_FILE_LOAD), 0);
        EXPECT_TRUE(answerer.Finish()[0].found) << example;
    }

    // The dialog of ID 120, answered with the given changes.
    static DialogAnswer OpenReport(DialogAnswer answer = Answer("候補一覧と診断", nullptr, IDCANCEL))
    {
        answer.owner = window;
        answer.readControl = IDC_REPORT_TEXT;
        DialogAnswerer answerer({answer});
        EXPECT_EQ(Command(IDM_ANALYSIS_REPORT), 0);
        return answerer.Finish()[0];
    }

    // 結果をコピー, or the dialog's コピー, while `box` looks for a box;
    // returns that answer and the window the box should be owned by.
    static std::pair<DialogAnswer, HWND> Copy(bool fromDialog, const DialogAnswer& box)
    {
        if (!fromDialog) {
            DialogAnswerer answerer({box});
            EXPECT_EQ(Command(IDM_COPY_REPORT), 0);
            return {answerer.Finish()[0], window};
        }
        DialogAnswer copy = Answer("候補一覧と診断", window, 0);
        copy.clickFirst = IDC_REPORT_COPY;
        DialogAnswerer answerer({copy, box, Answer("候補一覧と診断", window, IDCANCEL)});
        EXPECT_EQ(Command(IDM_ANALYSIS_REPORT), 0);
        const std::vector<DialogAnswer>& answers = answerer.Finish();
        EXPECT_TRUE(answers[2].found);
        return {answers[1], answers[0].window};
    }

    // The 1-based rows whose damage field is drawn in the highlight colour.
    static std::vector<int> MarkedRows()
    {
        std::vector<int> rows;
        HDC dc = CreateCompatibleDC(nullptr);
        for (int r = 0; r < ObservationRowCount; ++r) {
            SetBkColor(dc, RGB(1, 2, 3));
            SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(Control(IDC_OBS_DAMAGE_0 + r)));
            if (GetBkColor(dc) == HighlightText)
                rows.push_back(r + 1);
        }
        DeleteDC(dc);
        return rows;
    }

    // The dialog a command opens, answered so that it closes: by title, or
    // for a null title (the open-file dialog) by its owner.
    static DialogAnswer Closing(int command, int waitMilliseconds)
    {
        DialogAnswer answer = command == IDM_EXIT ? Answer(MessageText(MessageId::ExitCaption), window, IDNO)
                            : command == IDM_ANALYSIS_REPORT ? Answer("候補一覧と診断", window, IDCANCEL)
                                                             : Answer(nullptr, window, IDCANCEL);
        answer.waitMilliseconds = waitMilliseconds;
        return answer;
    }
};

TEST_F(AnalysisTest, EachExampleShowsAndCopiesTorumesReportAndMarksTheDiagnosedRows)
{
    const struct {
        const char* example;
        std::vector<int> marked;
    } cases[] = {
        {"boss-second-try.txt", {1}},  {"many-candidates.txt", {}},   {"mistyped-row.txt", {5}},
        {"partial-success.txt", {4}}, {"worked-example.txt", {}},
    };
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(TORUME_EXAMPLES), {}), std::size(cases))
        << "every example has a row here";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.example);
        const std::string expected = ExpectedReport(c.example);
        ASSERT_FALSE(expected.empty());
        LoadExample(c.example);
        EXPECT_EQ(MarkedRows(), c.marked);

        EmptyTheClipboard();
        DialogAnswer answer = Answer("候補一覧と診断", nullptr, IDCANCEL);
        answer.clickFirst = IDC_REPORT_COPY;
        answer = OpenReport(answer);
        ASSERT_TRUE(answer.found);
        EXPECT_FALSE(answer.ownerEnabled) << "the dialog is modal to the main window";
        EXPECT_EQ(Utf8(answer.text), expected);
        EXPECT_EQ(ClipboardTexts(), Copied(expected)) << "the dialog's コピー";

        EmptyTheClipboard();
        EXPECT_EQ(Command(IDM_COPY_REPORT), 0);
        EXPECT_EQ(ClipboardTexts(), Copied(expected)) << "結果をコピー";
    }
}

TEST_F(AnalysisTest, ReportDescribesTheRowsOnScreenWithoutEstimatingThem)
{
    EXPECT_EQ(OpenReport().text.rfind(L"防御      有効なデータがありません\r\n", 0), 0u) << "what the estimation says";

    // The worked example typed in, its chain of three as the list's item 2.
    const struct {
        const char* texts[5]; // damage, attack, power, strength, charm
        int attribute;
        int chain;
    } rows[] = {{{"1208", "50", "300", "10", "10"}, 0, 0},
                {{"878", "55", "250", "10", "10"}, 1, 0},
                {{"1776", "45", "320", "10", "10"}, 2, 2},
                {{"1522", "60", "280", "5", "20"}, 0, 0}};
    for (int r = 0; r < 4; ++r) {
        const ObservationRow row = ObservationRowIds(r);
        const int fields[] = {row.damage, row.attack, row.power, row.strength, row.charm};
        for (int f = 0; f < 5; ++f)
            SetWindowTextA(Control(fields[f]), rows[r].texts[f]);
        SendMessageA(Control(row.attribute), CB_SETCURSEL, static_cast<WPARAM>(rows[r].attribute), 0);
        SendMessageA(Control(row.chain), CB_SETCURSEL, static_cast<WPARAM>(rows[r].chain), 0);
    }
    EXPECT_EQ(Utf8(OpenReport().text), ExpectedReport("worked-example.txt"));
    for (int id = IDC_EST_DEFENSE; id <= IDC_EST_ALT3_RATES; ++id)
        EXPECT_EQ(GetWindowTextLengthA(Control(id)), 0) << "label " << id << " stays as it was";
    EXPECT_EQ(MarkedRows(), std::vector<int>{});
}

TEST_F(AnalysisTest, MarksLastUntilTheFieldIsEditedOrTheNextEstimation)
{
    HWND fourth = Control(IDC_OBS_DAMAGE_0 + 3);
    LoadExample("partial-success.txt");
    EXPECT_EQ(MarkedRows(), std::vector<int>{4});
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0), "1208");
    EXPECT_EQ(MarkedRows(), std::vector<int>{4}) << "another row's edit";
    SetWindowTextA(fourth, "1522");
    EXPECT_EQ(MarkedRows(), std::vector<int>{}) << "its own edit";
    DialogAnswerer cancel({Answer(nullptr, window, IDCANCEL)});
    Command(IDM_FILE_LOAD);
    EXPECT_TRUE(cancel.Finish()[0].found);
    EXPECT_EQ(MarkedRows(), std::vector<int>{}) << "a cancelled load estimates nothing";
    SetWindowTextA(fourth, "1500");
    EXPECT_EQ(MarkedRows(), std::vector<int>{});
    Command(IDC_EST_RUN);
    EXPECT_EQ(MarkedRows(), std::vector<int>{4}) << "the next estimation";
    SetWindowTextA(Control(IDC_OBS_DAMAGE_0 + 1), "0");
    SetWindowTextA(fourth, "1522");
    Command(IDC_EST_RUN);
    EXPECT_EQ(MarkedRows(), std::vector<int>{}) << "a full success marks nothing";
}

TEST_F(AnalysisTest, DialogShowsTheReportInFixedPitchAndClosesWithEscOrEnter)
{
    const struct {
        UINT key;
        int control;
    } cases[] = {
        {VK_ESCAPE, IDC_REPORT_TEXT}, {VK_RETURN, IDC_REPORT_TEXT}, {VK_ESCAPE, IDCANCEL}, {VK_RETURN, IDCANCEL}};
    for (const auto& c : cases) {
        DialogAnswer answer = Answer("候補一覧と診断", nullptr, IDCANCEL);
        answer.key = c.key;
        answer.keyControl = c.control;
        answer = OpenReport(answer);
        EXPECT_TRUE(answer.closedByKey) << "key " << c.key << " in control " << c.control;
        ASSERT_NE(answer.font, nullptr);
        EXPECT_EQ(answer.font, State().reportFont);
    }
    // Columns line up: every half-width character is as wide as any other,
    // and a full-width one ("不明") as two.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, State().reportFont);
    SIZE narrow, wide, digits, unknown;
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"WWWW", 4, &wide);
    GetTextExtentPoint32W(dc, L"1234", 4, &digits);
    GetTextExtentPoint32W(dc, L"不明", 2, &unknown);
    DeleteDC(dc);
    EXPECT_EQ(narrow.cx, wide.cx);
    EXPECT_EQ(digits.cx, unknown.cx);
}

// Another program may hold the clipboard for a moment; the copy waits
// about a second for it, and says so when it stays busy, leaving what was
// on the clipboard. A close request meanwhile waits for the box too.
TEST_F(AnalysisTest, CopyWaitsForABusyClipboardAndSaysWhenItStaysBusy)
{
    LoadExample("worked-example.txt");
    const std::vector<std::string> copied = Copied(ExpectedReport("worked-example.txt"));
    const struct {
        DWORD holdMilliseconds;
        bool fromDialog;
    } cases[] = {{300, false}, {300, true}, {3000, false}, {3000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.holdMilliseconds) + (c.fromDialog ? " ms, the dialog" : " ms, the menu"));
        PutTextOnClipboard(L"前の内容");
        const std::vector<std::string> before = ClipboardTexts();
        ASSERT_FALSE(before.empty());
        const bool busy = c.holdMilliseconds > 2000;
        DialogAnswer box = Answer(MessageText(MessageId::ClipboardBusyCaption), nullptr, IDOK);
        box.waitMilliseconds = 2500;
        box.closeFirst = window;
        std::pair<DialogAnswer, HWND> shown;
        {
            ClipboardHolder holder(c.holdMilliseconds);
            shown = Copy(c.fromDialog, box);
        }
        const auto& [answer, owner] = shown;
        EXPECT_EQ(answer.found, busy);
        EXPECT_EQ(ClipboardTexts(), busy ? before : copied);
        ASSERT_TRUE(IsWindow(window));
        if (!busy)
            continue;
        EXPECT_EQ(answer.message, MessageText(MessageId::ClipboardBusy));
        EXPECT_EQ(answer.icon, LoadIconW(nullptr, IDI_WARNING));
        EXPECT_EQ(answer.foundOwner, owner);
        EXPECT_TRUE(answer.openAfterClose);
        EXPECT_TRUE(answer.frontAfterClose);
        EXPECT_TRUE(answer.restoredAfterClose);
    }
}

TEST_F(AnalysisTest, ACommandQueuedBehindADialogOpensNoSecondOne)
{
    const struct {
        int first;
        int second;
    } cases[] = {
        {IDM_FILE_LOAD, IDM_FILE_LOAD},
        {IDM_ANALYSIS_REPORT, IDM_ANALYSIS_REPORT},
        {IDM_EXIT, IDM_EXIT},
        {IDM_FILE_LOAD, IDM_EXIT},
        {IDM_EXIT, IDM_ANALYSIS_REPORT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.second));
        DialogAnswerer answerer({Closing(c.first, 10000), Closing(c.second, 1500)});
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(c.first, 0), 0);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(c.second, 0), 0);
        PumpMessages();
        const std::vector<DialogAnswer>& answers = answerer.Finish();
        EXPECT_TRUE(answers[0].found);
        EXPECT_FALSE(answers[1].found);
        EXPECT_TRUE(IsWindow(window));
    }
}

} // namespace
