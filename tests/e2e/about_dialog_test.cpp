// The About dialog as a player meets it: opened from the version label, its texts, keyboard,
// single instance, and how it lives beside the main window. Its title, frame, controls, layout and
// separator at each display resolution are checked by the DPI sweep.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "about_e2e.hpp"
#include "driver/input.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
#include "tab_walk.hpp"
#include "tenmoru_session.hpp"

namespace {

using about_e2e::AboutWindows;
using about_e2e::FocusOnOk;
using about_e2e::OpenAbout;
using about_e2e::ScopedMachineValue;
using about_e2e::WaitForFocus;
using e2e::TenmoruSession;

const std::wstring kVersionWord = L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D";  // ﾊﾞｰｼﾞｮﾝ
const std::wstring kUnavailable = L"\u73FE\u6642\u70B9\u3067\u306F\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831"
                                  L"\u3092\u4F7F\u7528\u3067\u304D\u307E\u305B\u3093";

TEST(AboutDialog, OpensBesideTheMainWindowWithTheFocusOnOk) {
    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(WaitForFocus(::GetDlgItem(about, IDC_CMDOK)));
    RECT mainRect{}, aboutRect{}, overlap{};
    ::GetWindowRect(session.MainWindow(), &mainRect);
    ::GetWindowRect(about, &aboutRect);
    EXPECT_FALSE(::IntersectRect(&overlap, &mainRect, &aboutRect)) << "beside, not over the main window";
    EXPECT_TRUE(::IsWindowEnabled(session.MainWindow())) << "modeless";
}

TEST(AboutDialog, TabVisitsOkPictureAndSystemInformationButtonInOrder) {
    const e2e::TabStep steps[] = {
        {"Tab from OK", driver::Modifier::None, IDC_PICICON},
        {"Tab from the picture", driver::Modifier::None, IDC_CMDSYSINFO},
        {"Tab from the system-information button", driver::Modifier::None, IDC_CMDOK},
        {"Shift+Tab from OK", driver::Modifier::Shift, IDC_CMDSYSINFO},
        {"Shift+Tab from the system-information button", driver::Modifier::Shift, IDC_PICICON},
    };
    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(FocusOnOk(about));
    e2e::ExpectTabWalk(about, steps);
}

// Keys that unload the dialog, with the number of Tabs that put the focus where the key is pressed.
struct CloseCase {
    const char* name;
    int tabs;
    WORD key;
    driver::Modifier modifier;
};

class ClosingTheDialog : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ClosingTheDialog, UnloadsItAndLeavesTheMainWindow) {
    const CloseCase& c = GetParam();
    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(FocusOnOk(about));
    for (int i = 0; i < c.tabs; ++i) driver::PressKey(VK_TAB);
    const int focusId = c.tabs == 0 ? IDC_CMDOK : c.tabs == 1 ? IDC_PICICON : IDC_CMDSYSINFO;
    ASSERT_TRUE(WaitForFocus(::GetDlgItem(about, focusId)));
    driver::PressKey(c.key, c.modifier);
    EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindow(about); })) << "the dialog is still there";
    EXPECT_TRUE(session.Process().Running());
    EXPECT_TRUE(::IsWindowVisible(session.MainWindow()));
    EXPECT_FALSE(session.ShownBox().has_value());
}

const CloseCase kCloseCases[] = {
    {"EnterOnOk", 0, VK_RETURN, driver::Modifier::None},
    {"EnterOnPicture", 1, VK_RETURN, driver::Modifier::None},
    {"EscOnOk", 0, VK_ESCAPE, driver::Modifier::None},
    {"EscOnPicture", 1, VK_ESCAPE, driver::Modifier::None},
    {"EscOnSystemInformationButton", 2, VK_ESCAPE, driver::Modifier::None},
    {"SpaceOnOk", 0, VK_SPACE, driver::Modifier::None},
    {"AltF4", 0, VK_F4, driver::Modifier::Alt},
};

INSTANTIATE_TEST_SUITE_P(Keys, ClosingTheDialog, ::testing::ValuesIn(kCloseCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Ways to run the launcher from the keyboard; with both registry values absent it must answer
// with its message, the dialog disabled and the main window too, and the dialog stays open.
struct LaunchKeyCase {
    const char* name;
    int tabs;
    WORD key;
    driver::Modifier modifier;
};

class LauncherFromTheKeyboard : public ::testing::TestWithParam<LaunchKeyCase> {};

TEST_P(LauncherFromTheKeyboard, ShowsTheMessageModallyAndKeepsTheDialog) {
    const LaunchKeyCase& c = GetParam();
    ScopedMachineValue path(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    ScopedMachineValue folder(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    ASSERT_TRUE(path.Set(std::nullopt));
    ASSERT_TRUE(folder.Set(std::nullopt));

    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(FocusOnOk(about));
    for (int i = 0; i < c.tabs; ++i) driver::PressKey(VK_TAB);
    driver::PressKey(c.key, c.modifier);

    const std::optional<e2e::Box> box = session.WaitForBox();
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->text, kUnavailable);
    EXPECT_EQ(box->title, L"Tenmoru");
    EXPECT_FALSE(::IsWindowEnabled(about)) << "the dialog is disabled while its box is open";
    EXPECT_FALSE(::IsWindowEnabled(session.MainWindow())) << "so is the main window";

    ASSERT_TRUE(driver::BringToForeground(box->window));
    driver::PressKey(VK_RETURN);
    EXPECT_TRUE(driver::WaitUntil([&] { return !::IsWindow(box->window); }));
    EXPECT_TRUE(driver::WaitUntil([&] { return ::IsWindowEnabled(about) && ::IsWindowEnabled(session.MainWindow()); }));
    EXPECT_TRUE(::IsWindowVisible(about)) << "the dialog stays open after the message";
}

const LaunchKeyCase kLaunchKeyCases[] = {
    {"AltS", 0, 'S', driver::Modifier::Alt},
    {"EnterOnTheButton", 2, VK_RETURN, driver::Modifier::None},
    {"SpaceOnTheButton", 2, VK_SPACE, driver::Modifier::None},
};

INSTANTIATE_TEST_SUITE_P(Keys, LauncherFromTheKeyboard, ::testing::ValuesIn(kLaunchKeyCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(AboutDialog, SecondClickShowsTheSameSingleDialog) {
    TenmoruSession session;
    const HWND first = OpenAbout(session);
    ASSERT_NE(first, nullptr);
    // A text the load would overwrite: it survives the second click, so the load ran once.
    const HWND title = ::GetDlgItem(first, IDC_LBLTITLE);
    const wchar_t marker[] = L"not loaded again";
    ::SendMessageW(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(marker));
    ASSERT_TRUE(driver::BringToForeground(session.MainWindow()));
    const HWND again = OpenAbout(session);
    EXPECT_EQ(again, first);
    EXPECT_EQ(driver::Text(title), marker);
    EXPECT_EQ(AboutWindows(session.ProcessId()).size(), 1u);
}

TEST(AboutDialog, ReopeningAfterOkBuildsItAnewWithTheSameTexts) {
    TenmoruSession session;
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        const HWND about = OpenAbout(session);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(driver::Text(::GetDlgItem(about, IDC_LBLVERSION)), kVersionWord + L" 2.0.0");
        EXPECT_EQ(driver::Text(about), L"Tenmoru\u306E" + kVersionWord + L"\u60C5\u5831");
        ASSERT_TRUE(FocusOnOk(about)) << "OK has the focus at every opening";
        driver::ClickCenter(::GetDlgItem(about, IDC_CMDOK));
        ASSERT_TRUE(driver::WaitUntil([&] { return !::IsWindow(about); }));
        EXPECT_TRUE(AboutWindows(session.ProcessId()).empty());
    }
}

TEST(AboutDialog, MainWindowStaysPlayableBesideIt) {
    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    const e2e::Box input = session.StartGame();
    EXPECT_EQ(input.kind, e2e::Box::Kind::Input);
    EXPECT_FALSE(::IsWindowEnabled(about)) << "the game's box is modal to the dialog too";
    EXPECT_FALSE(session.Cancel(input).has_value());
    EXPECT_TRUE(driver::WaitUntil([&] { return ::IsWindowEnabled(about); }));
    EXPECT_TRUE(::IsWindow(about));
}

TEST(AboutDialog, EndButtonWithTheDialogOpenEndsTheProcess) {
    TenmoruSession session;
    ASSERT_NE(OpenAbout(session), nullptr);
    driver::ClickCenter(session.Control(IDC_CMDEND));
    EXPECT_TRUE(session.Process().WaitForExit(driver::kReactTimeout).has_value()) << "Tenmoru still runs";
}

TEST(AboutDialog, ClosingTheMainWindowLeavesTheDialogWhichEndsTheProgram) {
    TenmoruSession session;
    const HWND about = OpenAbout(session);
    ASSERT_NE(about, nullptr);
    ::PostMessageW(session.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(driver::WaitUntil([&] { return !::IsWindow(session.MainWindow()); }));
    EXPECT_TRUE(::IsWindowVisible(about));
    EXPECT_TRUE(session.Process().Running());
    EXPECT_TRUE(driver::ThreadAnswers(about));

    ASSERT_TRUE(driver::BringToForeground(about));
    driver::PressKey(VK_ESCAPE);
    EXPECT_TRUE(session.Process().WaitForExit(driver::kReactTimeout).has_value()) << "Tenmoru still runs";
}

}  // namespace
