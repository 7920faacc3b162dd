// Both windows at 96 and 144 dpi, black and larger text: frame, controls, captions whole, readable, named.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ranges>

#include "designs.hpp"
#include "runtime/colours.hpp"
#include "runtime/win32/ui_metrics.hpp"

namespace {

constexpr DWORD kSizing = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The caption, in the font the program picks for the DPI (made here the same way) at the message
// font's height, fits the room of its control: a label's client area, a button's less its frame.
void ExpectCaptionFits(HWND control, UINT dpi, int textPercent, bool button) {
    LOGFONTW program{};
    ::GetObjectW(tenmoru::CreateUiFont(tenmoru::UiMetricsFor(dpi)).get(), sizeof program, &program);
    program.lfHeight = -::MulDiv(::MulDiv(9, static_cast<int>(dpi), 72), textPercent, 100);
    const tenmoru::unique_hfont font(::CreateFontIndirectW(&program));
    const tenmoru::unique_window_dc dc(nullptr);
    const tenmoru::unique_select_object selected(dc.get(), font.get());
    RECT room{}, text{};
    ::GetClientRect(control, &room);
    ::InflateRect(&room, button ? -3 : 0, button ? -3 : 0);
    text.right = room.right - room.left;
    const std::wstring caption = e2e::Text(control);
    ::DrawTextW(dc.get(), caption.c_str(), -1, &text,
                DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK | DT_NOPREFIX));
    EXPECT_LE(text.right, room.right - room.left) << "caption too wide";
    EXPECT_LE(text.bottom, room.bottom - room.top) << "caption too high";
}

// A label's text stands out from its background by 4.5 : 1 on the screen: the commonest colour is
// the background, the colour that contrasts most with it the ink.
void ExpectReadable(HWND label) {
    std::map<COLORREF, int> counts;
    for (const COLORREF pixel : e2e::Capture(label)) ++counts[pixel];
    const COLORREF back = std::ranges::max_element(counts, {}, [](const auto& c) { return c.second; })->first;
    double contrast = 1.0;
    for (const auto& [colour, count] : counts) contrast = std::max(contrast, tenmoru::ContrastRatio(colour, back));
    EXPECT_GE(contrast, 4.5) << "text hardly seen on the background " << std::hex << back;
}

// The frame's style, the window inside the work area, every control at its twips times the text
// factor (and no other control), named, whole and readable.
void ExpectLayout(HWND window, const std::vector<e2e::Design>& design, UINT dpi, int textPercent, DWORD styleOn,
                  DWORD styleOff) {
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)) & (styleOn | styleOff), styleOn);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame{}, inside{};
    ::GetWindowRect(window, &frame);
    EXPECT_TRUE(::IntersectRect(&inside, &frame, &monitor.rcWork) && ::EqualRect(&inside, &frame))
        << "off the work area";
    e2e::ExpectAtTwips(window, design, static_cast<UINT>(::MulDiv(static_cast<int>(dpi), textPercent, 100)));
    std::size_t children = 0;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children + 1, design.size());
    EXPECT_EQ(e2e::Text(window), design[0].caption);
    for (const e2e::Design& d : design | std::views::drop(1)) {
        SCOPED_TRACE("control " + std::to_string(d.id));
        const HWND control = ::GetDlgItem(window, d.id);
        std::wstring spoken(d.caption);  // a reader says a caption without its access-key mark
        std::erase(spoken, L'&');
        const auto [name, role] = e2e::Announced(control);
        EXPECT_EQ(std::pair(d.caption.data() ? e2e::Text(control) : L"", d.caption.data() ? name : L""),
                  std::pair(std::wstring(d.caption), spoken));
        EXPECT_EQ(role, d.role);
        if (d.id != tenmoru::AboutForm::picIcon)
            ExpectCaptionFits(control, dpi, textPercent, e2e::ClassName(control) == L"Button");
        if (e2e::ClassName(control) == L"Static") ExpectReadable(control);
    }
}

// Wine reads LogPixels, the message font (a LOGFONTW, 9 points by default) and the colours as each
// program starts.
TEST(Layout, BothWindowsAt96And144DpiInABlackSchemeAndWithLargerText) {
    const struct {
        DWORD dpi;
        int textPercent;
        bool black;
    } cases[] = {{96, 100, false}, {144, 100, true}, {96, 150, false}, {96, 225, false}};
    constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop", kMetrics[] = L"Control Panel\\Desktop\\WindowMetrics";
    constexpr wchar_t kColors[] = L"Control Panel\\Colors";
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, text " + std::to_string(c.textPercent) + " %" +
                     (c.black ? ", black" : ""));
        std::vector<e2e::Restore> restore;
        restore.push_back(e2e::SetRegistryValue(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &c.dpi, 4));
        LOGFONTW font{};
        DWORD size = sizeof font;
        ::RegGetValueW(HKEY_CURRENT_USER, kMetrics, L"MessageFont", RRF_RT_REG_BINARY, nullptr, &font, &size);
        font.lfHeight = -::MulDiv(12, c.textPercent, 100);
        restore.push_back(e2e::SetRegistryValue(HKEY_CURRENT_USER, kMetrics, L"MessageFont", REG_BINARY, &font, size));
        for (const wchar_t* name : {L"ButtonFace", L"Window", L"ButtonText", L"WindowText"}) {
            const wchar_t* colour = std::wstring_view(name).ends_with(L"Text") ? L"255 255 255" : L"0 0 0";
            if (c.black)
                restore.push_back(e2e::SetRegistryValue(HKEY_CURRENT_USER, kColors, name, REG_SZ, colour,
                                                        (lstrlenW(colour) + 1) * 2));
        }
        const e2e::Session session;
        ExpectLayout(session.Main(), e2e::kMain, c.dpi, c.textPercent, WS_CAPTION | WS_SYSMENU | kSizing, 0);
        const HWND about = session.OpenAbout();
        ASSERT_NE(about, nullptr);
        ExpectLayout(about, e2e::kAbout, c.dpi, c.textPercent, WS_CAPTION | WS_SYSMENU, kSizing);
    }
}

}  // namespace
