// While a box is open every other window of the program is disabled, and afterwards exactly the
// windows that were enabled before are enabled again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "resources/resource_ids.h"
#include "shell/win32/modal_guard.hpp"
#include "shell/win32/unique_handle.hpp"
#include "shell/win32/win32_ui.hpp"
#include "win32/window_test_support.hpp"

namespace {

using win32_test::BoxDriver;
using win32_test::WindowText;

unique_hwnd MakeTopLevel(bool visible, bool enabled) {
    unique_hwnd window{CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                                       0, 0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)};
    EnableWindow(window.get(), enabled ? TRUE : FALSE);
    return window;
}

struct WindowCase {
    const char* name;
    bool visible;
    bool enabledBefore;
    bool isOwner;  // the box's owner: the box itself takes care of it
    bool enabledDuring;
    bool enabledAfter;
};

constexpr std::array<WindowCase, 5> kWindows{{
    {"another form", true, true, false, false, true},
    {"a second other form", true, true, false, false, true},
    {"a form that was disabled already stays disabled", true, false, false, false, false},
    {"a hidden helper window is left alone", false, true, false, true, true},
    {"the owner is left to the box", true, true, true, true, true},
}};

TEST(ModalGuard, DisablesOtherWindowsAndRestoresExactlyThose) {
    std::array<unique_hwnd, kWindows.size()> windows;
    HWND owner = nullptr;
    for (std::size_t i = 0; i < kWindows.size(); ++i) {
        windows[i] = MakeTopLevel(kWindows[i].visible, kWindows[i].enabledBefore);
        ASSERT_TRUE(windows[i]);
        if (kWindows[i].isOwner) owner = windows[i].get();
    }
    {
        const ModalGuard guard{owner};
        for (std::size_t i = 0; i < kWindows.size(); ++i) {
            SCOPED_TRACE(std::string("during: ") + kWindows[i].name);
            EXPECT_EQ(IsWindowEnabled(windows[i].get()) != FALSE, kWindows[i].enabledDuring);
        }
    }
    for (std::size_t i = 0; i < kWindows.size(); ++i) {
        SCOPED_TRACE(std::string("after: ") + kWindows[i].name);
        EXPECT_EQ(IsWindowEnabled(windows[i].get()) != FALSE, kWindows[i].enabledAfter);
    }
}

// A window destroyed while the box was open is simply forgotten.
TEST(ModalGuard, ToleratesAWindowDestroyedMeanwhile) {
    unique_hwnd kept = MakeTopLevel(true, true);
    unique_hwnd destroyed = MakeTopLevel(true, true);
    {
        const ModalGuard guard{nullptr};
        EXPECT_FALSE(IsWindowEnabled(kept.get()));
        destroyed.reset();
    }
    EXPECT_TRUE(IsWindowEnabled(kept.get()));
}

enum class Box { Message, Input };

struct BoxCase {
    const char* name;
    Box box;
    const wchar_t* expectedTitle;
};

const BoxCase kBoxes[] = {
    {"message box", Box::Message, L"Tenmoru"},
    {"input box", Box::Input, L"Tenmoru"},
};

// The rule as a player meets it: with a box of the program open, neither the window that opened
// it nor any other window of the program takes a click; afterwards both do again.
TEST(Win32Ui, BoxesDisableEveryWindowOfTheProgram) {
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.name);
        unique_hwnd main = MakeTopLevel(true, true);
        unique_hwnd about = MakeTopLevel(true, true);
        bool mainEnabled = true, aboutEnabled = true;
        std::wstring title, text;
        BoxDriver driver([&](HWND box) {
            mainEnabled = IsWindowEnabled(main.get()) != FALSE;
            aboutEnabled = IsWindowEnabled(about.get()) != FALSE;
            title = WindowText(box);
            PostMessageW(GetDlgItem(box, c.box == Box::Message ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        });
        Win32Ui ui{main.get()};
        if (c.box == Box::Message) {
            ui.MsgBox(L"あたり");
        } else {
            EXPECT_EQ(ui.InputBox(L"数字を入力してください", L"Tenmoru", L""), L"");
        }
        ASSERT_TRUE(driver.Ran());
        EXPECT_FALSE(mainEnabled);
        EXPECT_FALSE(aboutEnabled);
        EXPECT_EQ(title, c.expectedTitle);
        EXPECT_TRUE(IsWindowEnabled(main.get()));
        EXPECT_TRUE(IsWindowEnabled(about.get()));
    }
}

// A message box shows the prompt exactly, with one button, OK.
TEST(Win32Ui, MessageBoxHasThePromptAndOkAlone) {
    unique_hwnd main = MakeTopLevel(true, true);
    std::wstring shownText;
    int buttons = 0;
    BoxDriver driver([&](HWND box) {
        // The message text is the box's static control that is not an icon.
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring cls = win32_test::ClassName(child);
            if (_wcsicmp(cls.c_str(), L"Button") == 0 && IsWindowVisible(child)) ++buttons;
            if (_wcsicmp(cls.c_str(), L"Static") == 0 && !WindowText(child).empty()) shownText = WindowText(child);
        }
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
    Win32Ui{main.get()}.MsgBox(L"入力数値は1～10までです");
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(shownText, L"入力数値は1～10までです");
    EXPECT_EQ(buttons, 1);
}

}  // namespace
