// The main window as the player first sees it: its controls and captions, and focus. Its layout
// at each display resolution is checked by the DPI sweep.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver/input.hpp"
#include "driver/screenshot.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "game/texts.hpp"
#include "resources/resource_ids.h"
#include "tab_walk.hpp"
#include "tenmoru_session.hpp"

namespace {

using e2e::Box;
using e2e::TenmoruSession;

TEST(MainWindow, HasExactlyTheFourControlsWithTheirCaptions) {
    struct Case {
        const char* name;
        int id;
        std::wstring_view className;
        std::wstring_view caption;
    };
    const Case cases[] = {
        {"lblhelp", IDC_LBLHELP, L"Static", L"\u3064\u304B\u3044\u304B\u305F"},
        {"lblver", IDC_LBLVER, L"Static", L"\u30D0\u30FC\u30B8\u30E7\u30F3"},
        {"cmdstat", IDC_CMDSTAT, L"Button", L"\u3061\u3087\u3046\u305B\u3093"},
        {"cmdend", IDC_CMDEND, L"Button", L"\u304A\u308F\u308B"},
    };
    TenmoruSession session;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND control = session.Control(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(driver::ClassName(control), c.className);
        EXPECT_EQ(driver::Text(control), c.caption);
        EXPECT_TRUE(::IsWindowEnabled(control));
    }
    int children = 0;
    for (HWND child = ::GetWindow(session.MainWindow(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children, 4);
}

TEST(MainWindow, StartButtonHasTheFocusAtStart) {
    TenmoruSession session;
    ASSERT_TRUE(driver::BringToForeground(session.MainWindow()));
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return driver::FocusedWindow(session.MainWindow()) == session.Control(IDC_CMDSTAT); }))
        << "focus is on control " << ::GetDlgCtrlID(driver::FocusedWindow(session.MainWindow()));
}

TEST(MainWindow, TabMovesTheFocusBetweenTheTwoButtonsOnly) {
    const e2e::TabStep steps[] = {
        {"Tab from the start button", driver::Modifier::None, IDC_CMDEND},
        {"Tab from the end button", driver::Modifier::None, IDC_CMDSTAT},
        {"Tab again", driver::Modifier::None, IDC_CMDEND},
        {"Shift+Tab from the end button", driver::Modifier::Shift, IDC_CMDSTAT},
        {"Shift+Tab from the start button", driver::Modifier::Shift, IDC_CMDEND},
    };
    TenmoruSession session;
    const HWND main = session.MainWindow();
    ASSERT_TRUE(driver::BringToForeground(main));
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return driver::FocusedWindow(main) == session.Control(IDC_CMDSTAT); }));
    e2e::ExpectTabWalk(main, steps);
}

TEST(MainWindow, EnterOnTheFocusedStartButtonOpensTheInputBoxAndDisablesTheMainWindow) {
    TenmoruSession session;
    const HWND main = session.MainWindow();
    ASSERT_TRUE(driver::BringToForeground(main));
    ASSERT_TRUE(driver::WaitUntil(
        [&] { return driver::FocusedWindow(main) == session.Control(IDC_CMDSTAT); }));
    session.PressEnterInMainWindow();

    const auto box = session.WaitForBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->kind, Box::Kind::Input);
    EXPECT_EQ(box->title, kInputTitle);
    EXPECT_EQ(box->text, kPromptGuess);
    EXPECT_EQ(driver::Text(::GetDlgItem(box->window, IDC_INPUT_EDIT)), L"");
    EXPECT_NE(::GetDlgItem(box->window, IDOK), nullptr);
    EXPECT_NE(::GetDlgItem(box->window, IDCANCEL), nullptr);
    EXPECT_FALSE(::IsWindowEnabled(main));
    driver::SaveScreenshot(box->window, L"input_box");

    EXPECT_FALSE(session.Cancel(*box).has_value());
    EXPECT_TRUE(::IsWindowEnabled(main));
}

}  // namespace
