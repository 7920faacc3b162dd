// The main window built in this process: resizing moves nothing, and the program ends with its last
// form or at once by the end button. Layout, keyboard and captions are checked end to end.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/win32/main_window.hpp"
#include "shell/win32/open_forms.hpp"
#include "win32/window_test_support.hpp"

namespace {


RECT ClientRectOf(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Create(GetModuleHandleW(nullptr)));
        ShowWindow(window_.Window(), SW_SHOWNORMAL);
        SetForegroundWindow(window_.Window());
        SetFocus(GetDlgItem(window_.Window(), IDC_CMDSTAT));
    }
    void TearDown() override {
        if (window_.Window() != nullptr) DestroyWindow(window_.Window());
        win32_test::TakeQuitMessage();
    }
    HWND Item(int id) const { return GetDlgItem(window_.Window(), id); }

    MainWindow window_;
};

// Resizing the window moves nothing inside it.
TEST_F(MainWindowTest, ResizingMovesNoControl) {
    const HWND main = window_.Window();
    const RECT before = ClientRectOf(main, Item(IDC_CMDEND));
    SetWindowPos(main, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = ClientRectOf(main, Item(IDC_CMDEND));
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MainWindowTest, ClosingTheLastFormEndsTheMessageLoop) {
    EXPECT_EQ(OpenForms::Instance().Count(), 1u);
    DestroyWindow(window_.Window());
    EXPECT_EQ(OpenForms::Instance().Count(), 0u);
    EXPECT_TRUE(win32_test::TakeQuitMessage());
}

// The end button closes every form of the program, not only the main window.
TEST_F(MainWindowTest, EndButtonClosesEveryForm) {
    unique_hwnd other{CreateWindowExW(0, L"STATIC", L"about", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)};
    OpenForms::Instance().Add(other.get());
    SendMessageW(Item(IDC_CMDEND), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(other.get()));
    EXPECT_EQ(window_.Window(), nullptr);
    EXPECT_EQ(OpenForms::Instance().Count(), 0u);
    EXPECT_TRUE(win32_test::TakeQuitMessage());
    (void)other.release();  // already destroyed by End
}

// Closing one of two forms leaves the program running; closing the other ends it.
TEST(OpenForms, TheProgramEndsWithItsLastForm) {
    unique_hwnd first{CreateWindowExW(0, L"STATIC", L"1", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr)};
    unique_hwnd second{CreateWindowExW(0, L"STATIC", L"2", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr)};
    OpenForms& forms = OpenForms::Instance();
    forms.Add(first.get());
    forms.Add(second.get());
    forms.Add(second.get());  // registering twice counts once
    EXPECT_EQ(forms.Count(), 2u);
    forms.Remove(first.get());
    EXPECT_FALSE(win32_test::TakeQuitMessage());
    forms.Remove(first.get());  // unknown now: no effect
    EXPECT_FALSE(win32_test::TakeQuitMessage());
    forms.Remove(second.get());
    EXPECT_TRUE(win32_test::TakeQuitMessage());
    EXPECT_EQ(forms.Count(), 0u);
}

}  // namespace
