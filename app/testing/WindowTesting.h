// Helpers for tests and tools that drive the real main window: finding and
// answering the modal dialogs it opens, and listening to the debugger output.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Texts read back through the wide messages and made code page 932 with
// that code page itself: the same bytes in a Japanese or any other locale.
std::string TextOf(HWND window);
std::string ListItemOf(HWND comboBox, int index);
std::string MenuStringOf(HMENU menu, int position);

// Visible top-level dialog of this process with the given title, or, for a
// null title, owned by the given window (of any process). Null when none.
HWND FindProcessDialog(const char* title, HWND owner);

// Types a path into the open-file dialog's file name box.
void TypeFileName(HWND dialog, const std::wstring& name);

// What Explorer hands a window for WM_DROPFILES: the files' UTF-16 paths
// in global memory, which the window frees.
HGLOBAL DropOf(const std::vector<std::wstring>& paths);

// One modal dialog to answer from a helper thread, while the GUI thread
// sits in the dialog's modal loop.
struct DialogAnswer {
    const char* title;      // match by title, or null: any dialog owned by owner
    HWND owner;
    std::wstring fileName;  // typed into the file name box before pressing
    int button;             // IDOK, IDCANCEL, IDYES, IDNO, or 0: left open for a later answer
    int waitMilliseconds = 10000; // how long to look for the dialog
    HWND closeFirst = nullptr; // minimised, then sent WM_CLOSE while the dialog is open and
                               // another window is in front, before anything else
    int readControl = 0;    // a control whose text and font are kept
    int newDpi = 0;         // a DPI the dialog is told of by WM_DPICHANGED before the read
    int clickFirst = 0;     // a button clicked before the answer, such as "コピー"
    UINT key = 0;           // a key pressed in keyControl before the button,
    int keyControl = 0;     // which is then pressed only if the dialog stayed
    bool ownedByLast = false; // owned by the dialog the answer before found, not by owner:
                              // a question that dialog asks
    UINT sendToOwner = 0;   // a message sent to the owner while the dialog is open, before
    WPARAM sendWParam = 0;  // anything else, such as a drop; it returns before the answer
    bool quitLoopAfter = false; // once the dialog is answered and gone, or was not found, WM_QUIT
                                // to the owner's thread: ends the message loop it runs
    std::function<void()> whileOpen; // run on the helper thread once the dialog is found and
                                     // read, before anything is done to it

    // Filled in by the helper.
    bool found = false;
    HWND window = nullptr;    // the dialog found
    HWND foundOwner = nullptr; // its owner
    bool ownerEnabled = true; // the owner's state while the dialog was open
    bool openAfterClose = false;     // after closeFirst's WM_CLOSE: the dialog still shown,
    bool frontAfterClose = false;    // the foreground window,
    bool restoredAfterClose = false; // and closeFirst no longer minimised
    std::string message;      // a message box's text
    HICON icon = nullptr;     // a message box's icon, null for none
    std::wstring text;        // the text of readControl
    HFONT font = nullptr;     // the font of readControl
    bool closedByKey = false;
};

DialogAnswer Answer(const char* title, HWND owner, int button, std::wstring fileName = {});

// Answers the dialogs in order on a helper thread; Finish waits for it.
class DialogAnswerer {
public:
    explicit DialogAnswerer(std::vector<DialogAnswer> answers);
    ~DialogAnswerer();
    const std::vector<DialogAnswer>& Finish();

private:
    static DWORD WINAPI Run(void* self);
    std::vector<DialogAnswer> answers;
    HANDLE thread;
};

// A stand-in for a debug-output viewer: receives what this process's
// OutputDebugStringA writes through the system-wide DBWIN buffer (other
// programs write there too; their lines are left out).
class DebugOutputListener {
public:
    DebugOutputListener();
    ~DebugOutputListener();
    // The lines received once `last` arrived, or after a timeout.
    std::vector<std::string> CollectUntil(const std::string& last);

private:
    static DWORD WINAPI Run(void* self);
    HANDLE bufferReady, dataReady, mapping, thread;
    const char* view;
    volatile LONG stop = 0;
    CRITICAL_SECTION lock;
    std::vector<std::string> lines;
};

// Delivers the messages waiting for this thread's windows.
void PumpMessages();
