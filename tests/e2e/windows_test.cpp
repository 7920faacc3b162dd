// Both windows as the player first sees them, at 96 and 144 dpi and in a black scheme: frame, client
// size, every control where its twips put it with its caption, the name and role a screen reader
// announces, every caption whole inside its control and every label's text readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "about/win32/about_form.hpp"
#include "designs.hpp"
#include "driver/driver.hpp"
#include "runtime/colours.hpp"
#include "runtime/win32/ui_font.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace {

using e2e::Design;
using e2e::kAbout;
using e2e::kMain;
using tenmoru::AboutForm;

constexpr DWORD kSizing = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// The caption measured in the font the program picks for the DPI (made here the same way) must fit
// the room its control gives it: a label's client area, a button's less its frame.
void ExpectCaptionFits(HWND control, UINT dpi, bool button) {
    const tenmoru::unique_hfont font = tenmoru::CreateUiFont(dpi);
    const tenmoru::unique_window_dc dc(nullptr);
    const tenmoru::unique_select_object selected(dc.get(), font.get());
    RECT room{};
    ::GetClientRect(control, &room);
    ::InflateRect(&room, button ? -3 : 0, button ? -3 : 0);
    RECT text{0, 0, room.right - room.left, 0};
    const std::wstring caption = e2e::Text(control);
    ::DrawTextW(dc.get(), caption.c_str(), -1, &text,
                DT_CALCRECT | (button ? DT_SINGLELINE : DT_WORDBREAK | DT_NOPREFIX));
    EXPECT_LE(text.right, room.right - room.left) << "caption too wide";
    EXPECT_LE(text.bottom, room.bottom - room.top) << "caption too high";
}

// A label's text must stand out from its background by a contrast of at least 4.5 : 1 on the
// screen: the commonest colour is the background, the colour that contrasts most with it the ink.
void ExpectReadable(HWND label) {
    std::map<COLORREF, int> counts;
    for (const COLORREF pixel : e2e::Capture(label)) ++counts[pixel];
    const COLORREF back = std::ranges::max_element(counts, {}, [](const auto& c) { return c.second; })->first;
    double contrast = 1.0;
    for (const auto& [colour, count] : counts) contrast = std::max(contrast, tenmoru::ContrastRatio(colour, back));
    EXPECT_GE(contrast, 4.5) << "text hardly seen on the background " << std::hex << back;
}

void ExpectLayout(HWND window, const std::vector<Design>& design, UINT dpi, DWORD styleOn, DWORD styleOff) {
    const auto px = [dpi](int twips) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); };
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & (styleOn | styleOff), styleOn);
    std::size_t children = 0;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children + 1, design.size());
    for (const Design& d : design) {
        SCOPED_TRACE("control " + std::to_string(d.id));
        const HWND control = d.id == 0 ? window : ::GetDlgItem(window, d.id);
        ASSERT_NE(control, nullptr);
        RECT r{};
        if (d.id == 0) {
            ::GetClientRect(window, &r);
        } else {
            ::GetWindowRect(control, &r);
            ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        }
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<LONG>({px(d.left), px(d.top), px(d.width), px(d.height)}));
        std::wstring spoken(d.caption);  // a reader says a caption without its access-key mark
        std::erase(spoken, L'&');
        if (d.caption.data() != nullptr) {
            EXPECT_EQ(e2e::Text(control), d.caption);
        }
        if (d.id != 0 && d.caption.data() != nullptr) {
            EXPECT_EQ(e2e::Announced(control).first, spoken);
        }
        if (d.id != 0) {
            EXPECT_EQ(e2e::Announced(control).second, d.role);
        }
        if (d.id != 0 && d.id != AboutForm::picIcon)
            ExpectCaptionFits(control, dpi, e2e::ClassName(control) == L"Button");
        if (e2e::ClassName(control) == L"Static") ExpectReadable(control);
    }
}

// Wine reads the display resolution (HKCU\Control Panel\Desktop LogPixels) as each program starts.
void ExpectBothWindowsLaidOutAt(DWORD dpi) {
    const e2e::Session session = [dpi] {
        const e2e::Restore restore = e2e::KeepRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels");
        ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        return e2e::Session();
    }();
    ExpectLayout(session.Main(), kMain, dpi, WS_CAPTION | WS_SYSMENU | kSizing, 0);
    const HWND about = session.OpenAbout();
    ASSERT_NE(about, nullptr);
    ExpectLayout(about, kAbout, dpi, WS_CAPTION | WS_SYSMENU, kSizing);
}

// Wine reads the colours (HKCU\Control Panel\Colors) at each start: black, then as they were again.
TEST(Layout, BothWindowsAt144DpiInABlackScheme) {
    std::vector<e2e::Restore> restore;
    for (const wchar_t* name : {L"ButtonFace", L"Window", L"ButtonText", L"WindowText"}) {
        restore.push_back(e2e::KeepRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Colors", name));
        const std::wstring colour = std::wstring_view(name).ends_with(L"Text") ? L"255 255 255" : L"0 0 0";
        ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", name, REG_SZ, colour.c_str(),
                          static_cast<DWORD>(colour.size() * 2 + 2));
    }
    ExpectBothWindowsLaidOutAt(144);
}

TEST(Layout, BothWindowsAt96Dpi) { ExpectBothWindowsLaidOutAt(96); }

}  // namespace
