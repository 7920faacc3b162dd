// The main window built in this process: its controls where the layout puts them at 96 dpi,
// the keyboard's way through them, and the program's end when it closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/win32/main_window.hpp"
#include "shell/win32/open_forms.hpp"
#include "win32/window_test_support.hpp"

namespace {

using win32_test::ClassName;
using win32_test::WindowText;

struct ControlCase {
    const char* name;
    int id;
    const wchar_t* className;
    const wchar_t* caption;
    RECT pixels;  // client coordinates at 96 dpi
    bool tabStop;
};

const ControlCase kControls[] = {
    {"lblhelp", IDC_LBLHELP, L"Static", L"\u3064\u304B\u3044\u304B\u305F", {32, 8, 97, 25}, false},
    {"lblver", IDC_LBLVER, L"Static", L"\u30D0\u30FC\u30B8\u30E7\u30F3", {120, 8, 185, 25}, false},
    {"cmdstat", IDC_CMDSTAT, L"Button", L"\u3061\u3087\u3046\u305B\u3093", {56, 40, 145, 65}, true},
    {"cmdend", IDC_CMDEND, L"Button", L"\u304A\u308F\u308B", {56, 80, 145, 105}, true},
};

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

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    const HWND main = window_.Window();
    ASSERT_EQ(GetDpiForWindow(main), 96u);  // the test program itself is not DPI aware
    EXPECT_EQ(WindowText(main), L"Tenmoru");
    EXPECT_EQ(ClassName(main), TENMORU_MAIN_CLASS);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 197);
    EXPECT_EQ(client.bottom, 115);
    int children = 0;
    for (HWND c = GetWindow(main, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 4);
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        const HWND control = Item(c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_wcsicmp(ClassName(control).c_str(), c.className), 0);
        EXPECT_EQ(WindowText(control), c.caption);
        const RECT r = ClientRectOf(main, control);
        EXPECT_EQ(r.left, c.pixels.left);
        EXPECT_EQ(r.top, c.pixels.top);
        EXPECT_EQ(r.right, c.pixels.right);
        EXPECT_EQ(r.bottom, c.pixels.bottom);
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, c.tabStop);
        if (c.tabStop) {
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);  // no default button
        } else {
            EXPECT_NE(style & SS_NOTIFY, 0);  // labels report clicks
        }
    }
}

// Resizing the window moves nothing inside it.
TEST_F(MainWindowTest, ResizingMovesNoControl) {
    const HWND main = window_.Window();
    const RECT before = ClientRectOf(main, Item(IDC_CMDEND));
    SetWindowPos(main, nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = ClientRectOf(main, Item(IDC_CMDEND));
    EXPECT_TRUE(EqualRect(&before, &after));
}

struct TabCase {
    const char* name;
    int from;
    bool backwards;
    int to;
};

const TabCase kTabs[] = {
    {"Tab from the start button", IDC_CMDSTAT, false, IDC_CMDEND},
    {"Tab from the end button", IDC_CMDEND, false, IDC_CMDSTAT},
    {"Shift+Tab from the start button", IDC_CMDSTAT, true, IDC_CMDEND},
    {"Shift+Tab from the end button", IDC_CMDEND, true, IDC_CMDSTAT},
};

TEST_F(MainWindowTest, TabMovesBetweenTheTwoButtonsOnly) {
    for (const TabCase& c : kTabs) {
        SCOPED_TRACE(c.name);
        const HWND next = GetNextDlgTabItem(window_.Window(), Item(c.from), c.backwards ? TRUE : FALSE);
        EXPECT_EQ(next, Item(c.to));
    }
}

// Enter clicks the focused button: the window names it as the default while it has the focus.
TEST_F(MainWindowTest, EnterGoesToTheFocusedButton) {
    for (const int id : {IDC_CMDSTAT, IDC_CMDEND}) {
        SCOPED_TRACE(id);
        SetFocus(Item(id));
        ASSERT_EQ(GetFocus(), Item(id));
        const LRESULT answer = SendMessageW(window_.Window(), DM_GETDEFID, 0, 0);
        EXPECT_EQ(HIWORD(answer), DC_HASDEFID);
        EXPECT_EQ(LOWORD(answer), id);
    }
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
