// The input box, driven from inside its own modal loop: what each way of closing it returns,
// and how it is laid out for its prompt.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "resources/resource_ids.h"
#include "shell/win32/input_box.hpp"
#include "shell/win32/layout.hpp"
#include "win32/window_test_support.hpp"

namespace {

using win32_test::BoxDriver;
using win32_test::WindowText;

enum class Close { OkButton, CancelButton, EnterKey, EscapeKey, CloseButton };

struct InputCase {
    const char* name;
    const wchar_t* defaultText;
    std::optional<std::wstring> typed;  // nothing: leave the field as it opened
    Close close;
    const wchar_t* expected;
};

const InputCase kCases[] = {
    {"OK returns the typed text", L"", L"7", Close::OkButton, L"7"},
    {"OK returns full-width text unchanged", L"", L"\uFF17", Close::OkButton, L"\uFF17"},
    {"OK keeps surrounding spaces and letters", L"", L" 3abc ", Close::OkButton, L" 3abc "},
    {"OK on an empty field returns empty", L"", L"", Close::OkButton, L""},
    {"OK returns the default text when untouched", L"5", std::nullopt, Close::OkButton, L"5"},
    {"Enter in the field is OK", L"", L"4.5", Close::EnterKey, L"4.5"},
    {"Cancel after typing returns empty", L"", L"7", Close::CancelButton, L""},
    {"Cancel with a default text returns empty", L"5", std::nullopt, Close::CancelButton, L""},
    {"Esc is Cancel", L"", L"4", Close::EscapeKey, L""},
    {"the close button is Cancel", L"", L"4", Close::CloseButton, L""},
};

void CloseBox(HWND box, Close how) {
    const HWND edit = GetDlgItem(box, IDC_INPUT_EDIT);
    switch (how) {
    case Close::OkButton: PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); break;
    case Close::CancelButton: PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0); break;
    case Close::EnterKey: PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1); break;
    case Close::EscapeKey: PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1); break;
    case Close::CloseButton: PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

TEST(InputBox, ReturnsTheTextOnOkAndEmptyOnCancel) {
    for (const InputCase& c : kCases) {
        SCOPED_TRACE(c.name);
        BoxDriver driver([&](HWND box) {
            if (c.typed) SetDlgItemTextW(box, IDC_INPUT_EDIT, c.typed->c_str());
            CloseBox(box, c.close);
        });
        const std::wstring result = RunInputBox(nullptr, L"数字を入力してください", L"Tenmoru", c.defaultText);
        EXPECT_TRUE(driver.Ran());
        EXPECT_EQ(result, c.expected);
    }
}

// What a player sees when the box opens: its title, prompt, the default text selected in the
// field that holds the focus, OK as the default button, and the box owned by the given window.
TEST(InputBox, OpensWithTitlePromptFocusAndDefaultButton) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    std::wstring title, prompt, field;
    HWND focus = nullptr, edit = nullptr, boxOwner = nullptr;
    LONG_PTR okStyle = 0;
    DWORD selectionStart = 1, selectionEnd = 0;
    BoxDriver driver([&](HWND box) {
        title = WindowText(box);
        prompt = WindowText(GetDlgItem(box, IDC_INPUT_PROMPT));
        edit = GetDlgItem(box, IDC_INPUT_EDIT);
        field = WindowText(edit);
        focus = GetFocus();
        boxOwner = GetWindow(box, GW_OWNER);
        okStyle = GetWindowLongPtrW(GetDlgItem(box, IDOK), GWL_STYLE);
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                     reinterpret_cast<LPARAM>(&selectionEnd));
        PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    });
    RunInputBox(owner, L"数字を入力してください", L"題名", L"12");
    DestroyWindow(owner);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(title, L"題名");
    EXPECT_EQ(prompt, L"数字を入力してください");
    EXPECT_EQ(field, L"12");
    EXPECT_EQ(focus, edit);
    EXPECT_EQ(boxOwner, owner);
    EXPECT_EQ(okStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(selectionStart, 0u);
    EXPECT_EQ(selectionEnd, 2u);
}

struct LayoutCase {
    UINT dpi;
    int promptTextHeight;
};

const LayoutCase kLayouts[] = {{96, 0}, {96, 15}, {96, 300}, {144, 0}, {144, 23}, {144, 450}, {192, 600}};

bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

bool Inside(const RECT& r, SIZE client) {
    return r.left >= 0 && r.top >= 0 && r.right <= client.cx && r.bottom <= client.cy && r.left < r.right &&
           r.top < r.bottom;
}

// Whatever the prompt's height, nothing overlaps, the whole prompt is shown, and everything lies
// inside the client area; a taller prompt pushes the field (and the box's bottom) down.
TEST(InputBox, LayoutMakesRoomForThePrompt) {
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE("dpi " + std::to_string(c.dpi) + ", prompt " + std::to_string(c.promptTextHeight));
        const InputBoxLayout l = LayoutInputBox(c.promptTextHeight, c.dpi);
        EXPECT_GE(l.prompt.bottom - l.prompt.top, c.promptTextHeight);
        EXPECT_EQ(l.prompt.right - l.prompt.left, InputBoxPromptWidth(c.dpi));
        for (const RECT* r : {&l.prompt, &l.edit, &l.ok, &l.cancel}) EXPECT_TRUE(Inside(*r, l.client));
        EXPECT_FALSE(Overlap(l.prompt, l.ok));
        EXPECT_FALSE(Overlap(l.prompt, l.cancel));
        EXPECT_FALSE(Overlap(l.ok, l.cancel));
        EXPECT_GT(l.edit.top, l.prompt.bottom);
        EXPECT_GT(l.edit.top, l.cancel.bottom);
        const InputBoxLayout taller = LayoutInputBox(c.promptTextHeight + TwipsToPixels(1440, c.dpi), c.dpi);
        EXPECT_GT(taller.edit.top, l.edit.top);
        EXPECT_GT(taller.client.cy, l.client.cy);
        EXPECT_EQ(taller.client.cx, l.client.cx);
    }
}

}  // namespace
