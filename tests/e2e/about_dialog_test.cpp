// The About dialog as a player meets it: opened from the version label, its texts, layout at two
// resolutions, keyboard, single instance, and how it lives beside the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "about_e2e.hpp"
#include "driver/display_dpi.hpp"
#include "driver/input.hpp"
#include "driver/screenshot.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
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

struct Twips {
    int left, top, width, height;
};

RECT ToPixels(const Twips& t, int dpi) {
    const int left = ::MulDiv(t.left, dpi, 1440);
    const int top = ::MulDiv(t.top, dpi, 1440);
    return {left, top, left + ::MulDiv(t.width, dpi, 1440), top + ::MulDiv(t.height, dpi, 1440)};
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

struct ControlCase {
    const char* name;
    int id;
    Twips twips;
    std::wstring className;
    std::wstring text;
};

const ControlCase kControls[] = {
    {"picIcon", IDC_PICICON, {240, 240, 540, 540}, L"TenmoruPictureBox", L""},
    {"lblTitle", IDC_LBLTITLE, {1050, 240, 3885, 480}, L"Static", L"Tenmoru"},
    {"lblVersion", IDC_LBLVERSION, {1050, 780, 3885, 225}, L"Static", kVersionWord + L" 2.0.0"},
    {"lblDescription", IDC_LBLDESCRIPTION, {1050, 1125, 3885, 1170}, L"Static", L""},
    {"lblDisclaimer", IDC_LBLDISCLAIMER, {255, 2625, 3870, 825}, L"Static", L"\u8B66\u544A: ..."},
    {"cmdOK", IDC_CMDOK, {4245, 2625, 1380, 345}, L"Button", L"OK"},
    {"cmdSysInfo", IDC_CMDSYSINFO, {4260, 3075, 1380, 345}, L"Button", L"\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831(&S)..."},
};

// The colour of one pixel of the window's client area, read from the screen.
COLORREF ClientPixel(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, at.x, at.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

class AboutLayout : public ::testing::TestWithParam<int> {};

TEST_P(AboutLayout, TextsClientAreaControlsAndSeparatorFollowTheTwips) {
    const int dpi = GetParam();
    std::optional<TenmoruSession> session;
    {
        driver::ScopedLogPixels resolution(static_cast<DWORD>(dpi));
        session.emplace();
    }
    const HWND about = OpenAbout(*session);
    ASSERT_NE(about, nullptr) << "no About dialog";
    EXPECT_EQ(driver::Text(about), L"Tenmoru\u306E" + kVersionWord + L"\u60C5\u5831");

    const RECT client = driver::ClientRect(about);
    EXPECT_EQ(client.right, ::MulDiv(5730, dpi, 1440)) << "client width";
    EXPECT_EQ(client.bottom, ::MulDiv(3555, dpi, 1440)) << "client height";

    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(about, GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU) << "close button";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << "fixed frame, no min/max";
    EXPECT_EQ(::GetWindow(about, GW_OWNER), nullptr) << "unowned";

    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        const HWND control = ::GetDlgItem(about, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(driver::ClassName(control), c.className);
        if (!c.text.empty()) EXPECT_EQ(driver::Text(control), c.text);
        const RECT actual = driver::RectInParent(control);
        const RECT expected = ToPixels(c.twips, dpi);
        EXPECT_TRUE(::EqualRect(&actual, &expected))
            << "actual " << Describe(actual) << ", expected " << Describe(expected);
    }
    EXPECT_NE(driver::Text(::GetDlgItem(about, IDC_LBLDESCRIPTION)), L"") << "a developer credit";

    // The etched separator: grey at y(2445), white from y(2460), across from x(105) to x(5654).
    ASSERT_TRUE(driver::BringToForeground(about));
    ASSERT_TRUE(driver::ThreadAnswers(about));
    const int middle = ::MulDiv(2880, dpi, 1440);
    EXPECT_EQ(ClientPixel(about, middle, ::MulDiv(2445, dpi, 1440)), RGB(128, 128, 128));
    EXPECT_EQ(ClientPixel(about, middle, ::MulDiv(2460, dpi, 1440)), RGB(255, 255, 255));
    EXPECT_EQ(ClientPixel(about, ::MulDiv(5654, dpi, 1440) - 1, ::MulDiv(2460, dpi, 1440)), RGB(255, 255, 255));
    EXPECT_NE(ClientPixel(about, ::MulDiv(5654, dpi, 1440) + 1, ::MulDiv(2460, dpi, 1440)), RGB(255, 255, 255));

    EXPECT_FALSE(driver::SaveScreenshot(about, L"about_dialog_" + std::to_wstring(dpi) + L"dpi").empty());
}

INSTANTIATE_TEST_SUITE_P(Resolutions, AboutLayout, ::testing::Values(96, 144),
                         [](const auto& test) { return std::to_string(test.param) + "dpi"; });

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
    struct Step {
        const char* name;
        driver::Modifier modifier;
        int expectedFocus;
    };
    const Step steps[] = {
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
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        driver::PressKey(VK_TAB, step.modifier);
        EXPECT_TRUE(WaitForFocus(::GetDlgItem(about, step.expectedFocus)))
            << "focus is on control " << ::GetDlgCtrlID(driver::FocusedWindow(about));
    }
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
