// The window tests' fixture: the real main window in the test's own
// process, created for each test and destroyed after it, and reached
// through its state as the program reaches it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "app/HandleTables.h"
#include "app/MainWindow.h"
#include "app/WindowState.h"
#include "app/testing/WindowTesting.h"

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = StartMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(window, nullptr);
        PumpMessages();
    }

    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        // Drop the quit message the destruction posts.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static WindowState& State() { return *StateOf(window); }
    static Win32Form& MainForm() { return State().form; }
    static HWND Control(int id) { return ControlHandle(State().handles, id); }
    static LRESULT Command(int id) { return SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // The window of the test that runs.
    static inline HWND window = nullptr;
};
