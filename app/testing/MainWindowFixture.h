// The window tests' fixture: the real main window in the test's own
// process, created for each test and destroyed after it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "app/MainWindow.h"
#include "app/testing/WindowTesting.h"

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(StartMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL), nullptr);
        PumpMessages();
    }

    void TearDown() override
    {
        if (IsWindow(MainWindow))
            DestroyWindow(MainWindow);
        // Drop the quit message the destruction posts.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static LRESULT Command(int id) { return SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
};
