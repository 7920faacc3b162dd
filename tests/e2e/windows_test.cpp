// Both windows as the player first sees them, at 96 and 144 dpi, in a black scheme and with larger
// text, started from beside a planted DLL: frame, client size, every control where its twips put it
// with its caption, the name and role a screen reader announces (the picture a graphic), every
// caption whole inside its control, every label's text readable, no planted DLL loaded.
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

// The caption measured in the font the program picks for the DPI (made here the same way), at the
// message font's height (9 points times the text size), must fit the room its control gives it: a
// label's client area, a button's less its frame.
void ExpectCaptionFits(HWND control, UINT dpi, int textPercent, bool button) {
    LOGFONTW program{};
    ::GetObjectW(tenmoru::CreateUiFont(dpi).get(), sizeof program, &program);
    program.lfHeight = -::MulDiv(::MulDiv(9, static_cast<int>(dpi), 72), textPercent, 100);
    const tenmoru::unique_hfont font(::CreateFontIndirectW(&program));
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

// Every control at its twips times the text factor, whole, named and readable; the window inside
// the work area.
void ExpectLayout(HWND window, const std::vector<Design>& design, UINT dpi, int textPercent, DWORD styleOn,
                  DWORD styleOff) {
    const auto px = [&](int twips) { return ::MulDiv(twips, static_cast<int>(dpi) * textPercent, 1440 * 100); };
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & (styleOn | styleOff), styleOn);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT frame{}, inside{};
    ::GetWindowRect(window, &frame);
    EXPECT_TRUE(::IntersectRect(&inside, &frame, &monitor.rcWork) && ::EqualRect(&inside, &frame))
        << "off the work area";
    std::size_t children = 0;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ++children;
    EXPECT_EQ(children + 1, design.size());
    for (const Design& d : design) {
        SCOPED_TRACE("control " + std::to_string(d.id));
        const HWND control = d.id == 0 ? window : ::GetDlgItem(window, d.id);
        ASSERT_NE(control, nullptr);
        RECT r{};
        if (d.id == 0)
            ::GetClientRect(window, &r);
        else
            r = e2e::ChildRect(window, d.id);
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<LONG>({px(d.left), px(d.top), px(d.width), px(d.height)}));
        std::wstring spoken(d.caption);  // a reader says a caption without its access-key mark
        std::erase(spoken, L'&');
        const auto [name, role] = e2e::Announced(control);
        if (d.caption.data() != nullptr) {
            EXPECT_EQ(e2e::Text(control), d.caption);
        }
        if (d.id != 0 && d.caption.data() != nullptr) {
            EXPECT_EQ(name, spoken);
        }
        if (d.id != 0) {
            EXPECT_EQ(role, d.role);
        }
        if (d.id != 0 && d.id != AboutForm::picIcon)
            ExpectCaptionFits(control, dpi, textPercent, e2e::ClassName(control) == L"Button");
        if (e2e::ClassName(control) == L"Static") ExpectReadable(control);
    }
}

// Wine reads the display resolution (HKCU\Control Panel\Desktop LogPixels) and the message font
// (...\WindowMetrics MessageFont, a LOGFONTW; 9 points by default) as each program starts. The
// program starts from a folder that also holds a planted oleacc.dll, as a Downloads folder can, with
// Wine told to prefer such a file to its own oleacc for Tenmoru.exe (the registry's form of
// WINEDLLOVERRIDES=oleacc=n,b, which a program cannot hand to those it starts): it must never load it.
void ExpectBothWindowsLaidOutAt(DWORD dpi, int textPercent) {
    const std::filesystem::path planted = e2e::OwnFolder() / L"planted";
    std::filesystem::remove(planted / L"loaded");
    std::filesystem::remove(planted / L"Tenmoru.exe");  // MinGW's copy_file cannot overwrite
    std::filesystem::copy_file(e2e::OwnFolder() / L"Tenmoru.exe", planted / L"Tenmoru.exe");
    const e2e::Session session = [&] {
        constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop", kMetrics[] = L"Control Panel\\Desktop\\WindowMetrics";
        constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Tenmoru.exe\\DllOverrides";
        const e2e::Restore restore[] = {e2e::KeepRegistryValue(HKEY_CURRENT_USER, kDesktop, L"LogPixels"),
                                        e2e::KeepRegistryValue(HKEY_CURRENT_USER, kMetrics, L"MessageFont"),
                                        e2e::KeepRegistryValue(HKEY_CURRENT_USER, kOverrides, L"oleacc")};
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        LOGFONTW font{};
        DWORD size = sizeof font;
        ::RegGetValueW(HKEY_CURRENT_USER, kMetrics, L"MessageFont", RRF_RT_REG_BINARY, nullptr, &font, &size);
        font.lfHeight = -::MulDiv(12, textPercent, 100);
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kMetrics, L"MessageFont", REG_BINARY, &font, size);
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"oleacc", REG_SZ, L"native,builtin", 30);
        return e2e::Session(planted / L"Tenmoru.exe");
    }();
    ExpectLayout(session.Main(), kMain, dpi, textPercent, WS_CAPTION | WS_SYSMENU | kSizing, 0);
    const HWND about = session.OpenAbout();
    ASSERT_NE(about, nullptr);
    ExpectLayout(about, kAbout, dpi, textPercent, WS_CAPTION | WS_SYSMENU, kSizing);
    EXPECT_FALSE(std::filesystem::exists(planted / L"loaded")) << "the planted oleacc.dll was loaded";
}

// Wine reads the colours (HKCU\Control Panel\Colors) at each start: black, then as they were again.
TEST(Layout, BothWindowsAt96And144DpiInABlackSchemeAndWithLargerText) {
    const struct {
        DWORD dpi;
        int textPercent;
        bool black;
    } cases[] = {{96, 100, false}, {144, 100, true}, {96, 150, false}, {96, 225, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " dpi, text " + std::to_string(c.textPercent) + " %" +
                     (c.black ? ", black" : ""));
        std::vector<e2e::Restore> restore;
        for (const wchar_t* name : {L"ButtonFace", L"Window", L"ButtonText", L"WindowText"}) {
            if (!c.black) break;
            restore.push_back(e2e::KeepRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Colors", name));
            const std::wstring colour = std::wstring_view(name).ends_with(L"Text") ? L"255 255 255" : L"0 0 0";
            ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Colors", name, REG_SZ, colour.c_str(),
                              static_cast<DWORD>(colour.size() * 2 + 2));
        }
        ExpectBothWindowsLaidOutAt(c.dpi, c.textPercent);
    }
}

}  // namespace
