// "観測データを保存..." in the real main window: the file a save writes
// through its dialog holds the golden bytes and loads back as the same
// rows; the dialog offers its name in the folder of the last load or save
// and asks before it replaces a file, which keeps its attributes; a failed
// save says why and leaves the old file as it was.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/FileReplace.h"
#include "app/FileSave.h"
#include "app/HandleTables.h"
#include "app/MainWindow.h"
#include "encoding/TextEncoding.h"
#include "app/Win32Form.h"
#include "app/testing/MainWindowFixture.h"
#include "app/testing/WindowTesting.h"
#include "observations/ObservationSave.h"
#include "messages/Messages.h"
#include "observations/testing/SaveCases.h"
#include "resources/resource.h"

namespace {

using save_cases::Cases;
using save_cases::UsedRows;
namespace fs = std::filesystem;

std::string BytesOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class FileSaveTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        // The dialogs make the folder the current directory, which cannot be removed.
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(folder);
    }

    // The names in the folder: a failed save leaves no file of its own.
    std::vector<std::wstring> Listing() const
    {
        std::vector<std::wstring> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().wstring());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Through the menu and its dialog, the name typed unless empty.
    LRESULT SaveThroughDialog(const std::wstring& name, DialogAnswer* answered = nullptr)
    {
        DialogAnswerer answerer({Answer(nullptr, window, IDOK, name)});
        const LRESULT result = Command(IDM_FILE_SAVE);
        const DialogAnswer& answer = answerer.Finish()[0];
        EXPECT_TRUE(answer.found);
        if (answered)
            *answered = answer;
        return result;
    }

    // A folder named in Japanese, which code page 932 holds, so that a box
    // naming a path in it reads back whole.
    fs::path folder = fs::temp_directory_path() / L"トルメ 保存テスト";
};

TEST_F(FileSaveTest, SavedFilesHoldTheGoldenBytesAndLoadBackTheSameRows)
{
    for (const save_cases::SaveCase& c : Cases) {
        SCOPED_TRACE(c.name);
        save_cases::TypeRows(MainForm(), c);
        const auto typed = UsedRows(MainForm());
        const fs::path file = folder / (std::string(c.name) + ".txt");
        DialogAnswer dialog;
        EXPECT_EQ(SaveThroughDialog(file.wstring(), &dialog), 0);
        EXPECT_FALSE(dialog.ownerEnabled) << "the dialog is modal to the main window";
        EXPECT_EQ(BytesOf(file), save_cases::GoldenBytes(c.name));

        // Loaded over other rows through "ファイル読み込み".
        save_cases::TypeRows(MainForm(), Cases[&c == &Cases[0] ? 1 : 0]);
        DialogAnswerer answerer({Answer(nullptr, window, IDOK, file.wstring())});
        EXPECT_EQ(Command(IDM_FILE_LOAD), 0);
        EXPECT_TRUE(answerer.Finish()[0].found);
        EXPECT_EQ(UsedRows(MainForm()), typed);
    }
    EXPECT_EQ(Listing(), (std::vector<std::wstring>{L"empty-fields.txt", L"extreme-numbers.txt", L"full-rows.txt",
                                                    L"no-selection.txt"}));
}

// The name offered, taken with OK as it stands, lands in the folder of the
// last load (here a dropped file's) or save; an existing file is replaced
// only when the player says so.
TEST_F(FileSaveTest, DialogOffersItsNameInTheLastFolderAndAsksBeforeReplacing)
{
    const fs::path dropped = folder / L"読み込み" / L"ボス.txt";
    fs::create_directories(dropped.parent_path());
    std::ofstream(dropped, std::ios::binary) << "1208 50 300 0 10 10 0\r\n878 55 250 1 10 10 0\r\n";
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({dropped.wstring()})), 0);
    PumpMessages();
    ASSERT_EQ(MainForm().GetText(IDC_OBS_DAMAGE_0 + 1).View(), "878");
    const std::string loadedRows = SaveObservationRows(MainForm()).bytes;
    EXPECT_EQ(SaveThroughDialog(L""), 0);
    EXPECT_EQ(BytesOf(dropped.parent_path() / L"観測データ.txt"), loadedRows);

    const fs::path elsewhere = folder / L"保存先" / L"記録.txt";
    fs::create_directories(elsewhere.parent_path());
    EXPECT_EQ(SaveThroughDialog(elsewhere.wstring()), 0);
    MainForm().SetText(IDC_OBS_DAMAGE_0, "999");
    const std::string editedRows = SaveObservationRows(MainForm()).bytes;
    EXPECT_EQ(SaveThroughDialog(L""), 0);
    const fs::path offered = elsewhere.parent_path() / L"観測データ.txt";
    EXPECT_EQ(BytesOf(offered), editedRows);

    // Onto that file again: No keeps it and the dialog open, Yes replaces it.
    MainForm().SetText(IDC_OBS_DAMAGE_0, "555");
    for (int reply : {IDNO, IDYES}) {
        SCOPED_TRACE(reply == IDNO ? "No" : "Yes");
        DialogAnswer dialog = Answer(nullptr, window, 0);
        dialog.clickFirst = IDOK;
        DialogAnswer question = Answer(nullptr, nullptr, reply);
        question.ownedByLast = true;
        std::vector<DialogAnswer> answers = {dialog, question};
        if (reply == IDNO)
            answers.push_back(Answer(nullptr, window, IDCANCEL));
        DialogAnswerer answerer(answers);
        EXPECT_EQ(Command(IDM_FILE_SAVE), 0);
        const std::vector<DialogAnswer>& answered = answerer.Finish();
        EXPECT_TRUE(answered[1].found) << "the question before replacing";
        EXPECT_EQ(BytesOf(offered), reply == IDNO ? editedRows : SaveObservationRows(MainForm()).bytes);
    }
}

// A save that cannot finish says why in the system's words, in a box owned
// by the window, and leaves the folder as it was: no old file lost, no
// half-written one left. The target is chosen in the dialog, and changed
// while the dialog asks before replacing it.
TEST_F(FileSaveTest, FailedSaveLeavesTheOldFileAndSaysWhy)
{
    save_cases::TypeRows(MainForm(), Cases[0]);
    const fs::path gone = folder / L"消えたフォルダー" / L"観測.txt";
    const fs::path directory = folder / L"フォルダー.txt";
    const fs::path held = folder / L"使用中.txt";
    const fs::path readOnly = folder / L"読み取り専用.txt";
    for (const fs::path& target : {gone, directory, held, readOnly}) {
        fs::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << "old bytes\r\n";
    }
    // Open without sharing, as an editor may hold it.
    HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        const char* why;
        fs::path target;
        std::function<void()> change;
        DWORD error;
    } cases[] = {
        // The dialog may have made the folder the current directory, which cannot be removed.
        {"the folder is gone", gone,
         [&] {
             fs::current_path(fs::temp_directory_path());
             fs::remove_all(gone.parent_path());
         },
         ERROR_PATH_NOT_FOUND},
        {"the target is a directory", directory,
         [&] {
             fs::remove(directory);
             fs::create_directories(directory / L"中身");
         },
         ERROR_ACCESS_DENIED},
        {"the target is open without sharing", held, [] {}, ERROR_SHARING_VIOLATION}, // in use, not forbidden
        // Replacing it would undo the protection its owner gave it.
        {"the target is read-only", readOnly, [&] { SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY); },
         ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        DialogAnswer dialog = Answer(nullptr, window, 0, c.target.wstring());
        dialog.clickFirst = IDOK;
        std::vector<std::wstring> before;
        DialogAnswer question = Answer(nullptr, nullptr, IDYES);
        question.ownedByLast = true;
        question.whileOpen = [&] {
            c.change();
            before = Listing();
        };
        DialogAnswerer answerer({dialog, question, Answer(MessageText(MessageId::FailureCaption), window, IDOK)});
        EXPECT_EQ(Command(IDM_FILE_SAVE), 1);
        const std::vector<DialogAnswer>& answers = answerer.Finish();
        ASSERT_TRUE(answers[1].found) << "the question before replacing";
        const DialogAnswer& box = answers[2];
        ASSERT_TRUE(box.found);
        EXPECT_EQ(box.foundOwner, window);
        EXPECT_FALSE(box.ownerEnabled);
        EXPECT_NE(box.icon, nullptr);
        EXPECT_EQ(box.message, std::string(MessageText(MessageId::SaveFailed)) + "\n" + WideToUtf8(c.target.wstring()) + "\n" +
                                   WideToUtf8(SystemErrorText(c.error)));
        EXPECT_EQ(Listing(), before);
    }
    CloseHandle(holder);
    EXPECT_EQ(BytesOf(held), "old bytes\r\n");
    EXPECT_TRUE(fs::is_directory(directory / L"中身"));
    EXPECT_EQ(BytesOf(readOnly), "old bytes\r\n");
    EXPECT_TRUE(GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file saved over keeps the attributes it was given, its bytes new and
// so to be archived again; a new one is archived. Nothing else is left in
// the folder: neither the save's file nor one of the system's.
TEST_F(FileSaveTest, SaveOverAFileKeepsItsAttributes)
{
    const struct {
        const char* why;
        DWORD before; // 0: no file of that name
        DWORD after;
    } cases[] = {
        {"a new name", 0, FILE_ATTRIBUTE_ARCHIVE},
        {"a plain file", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE},
        {"a hidden file", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
        {"a system file", FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
    };
    const fs::path target = folder / L"観測.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove(target);
        if (c.before) {
            std::ofstream(target, std::ios::binary) << "old bytes\r\n";
            ASSERT_TRUE(SetFileAttributesW(target.c_str(), c.before));
        }
        EXPECT_EQ(ReplaceFileBytes(target.c_str(), "new bytes\r\n"), 0u);
        EXPECT_EQ(BytesOf(target), "new bytes\r\n");
        EXPECT_EQ(GetFileAttributesW(target.c_str()), c.after);
        EXPECT_EQ(Listing(), std::vector<std::wstring>{L"観測.txt"});
    }
}

// A process that has ended, of which no handle stays open to keep it in being.
DWORD EndedProcessId()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &process))
        return 0;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

// A save killed half-way leaves its "~torume-<pid>-<n>.tmp". The next save
// into that folder removes such leftovers, and only those: names the
// program makes, of a process that has ended, open in no program.
TEST_F(FileSaveTest, SaveRemovesTheLeftoversOfSavesCutShort)
{
    const std::wstring ended = std::to_wstring(EndedProcessId());
    const struct {
        std::wstring name;
        bool removed;
    } cases[] = {
        {L"~torume-" + ended + L"-0.tmp", true},
        {L"~torume-" + ended + L"-1.tmp", false}, // held open below
        {L"~torume-" + std::to_wstring(GetCurrentProcessId()) + L"-0.tmp", false}, // its maker still runs
        {L"~torume-" + ended + L"-100.tmp", false}, // beyond the names a save tries
        {L"~torume-0" + ended + L"-0.tmp", false},
    };
    for (const auto& c : cases)
        std::ofstream(folder / c.name, std::ios::binary) << "half";
    HANDLE holder =
        CreateFileW((folder / cases[1].name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    save_cases::TypeRows(MainForm(), Cases[0]);
    EXPECT_EQ(SaveThroughDialog((folder / L"観測.txt").wstring()), 0);
    EXPECT_TRUE(fs::exists(folder / L"観測.txt"));
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(folder / c.name), !c.removed) << WideToUtf8(c.name);
    CloseHandle(holder);
}

// A file without a row would only fail to load: no dialog, a box says why.
TEST_F(FileSaveTest, RowsWithoutADamageSaveNothingAndSaySo)
{
    MainForm().SetText(IDC_OBS_ATTACK_0, "50");
    DialogAnswerer answerer({Answer(nullptr, window, IDOK)});
    EXPECT_EQ(Command(IDM_FILE_SAVE), 1);
    const DialogAnswer& box = answerer.Finish()[0];
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.message, MessageText(MessageId::NothingToSave));
    EXPECT_FALSE(box.ownerEnabled);
    EXPECT_FALSE(fs::exists(fs::path(State().startDirectory) / L"観測データ.txt"));
}

} // namespace
