#pragma once
// Both windows as designed: the client area and every control in twips, with its caption and the
// role a screen reader announces it as.
#include <windows.h>
#include <oleacc.h>

#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"
#include "runtime/win32/layout.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace e2e {

struct Design {
    int id, left, top, width, height;  // twips; the window itself has id 0 and its client area
    std::wstring_view caption;         // null: not checked
    LONG role;                         // what a screen reader announces it as, with the caption
};

inline const std::vector<Design> kMain{
    {0, 0, 0, 2955, 1725, L"Tenmoru", 0},
    {tenmoru::Tenmoru::lblhelp, 480, 120, 975, 255, L"\u3064\u304B\u3044\u304B\u305F", ROLE_SYSTEM_STATICTEXT},
    {tenmoru::Tenmoru::lblver, 1800, 120, 975, 255, L"\u30D0\u30FC\u30B8\u30E7\u30F3", ROLE_SYSTEM_STATICTEXT},
    {tenmoru::Tenmoru::cmdstat, 840, 600, 1335, 375, L"\u3061\u3087\u3046\u305B\u3093", ROLE_SYSTEM_PUSHBUTTON},
    {tenmoru::Tenmoru::cmdend, 840, 1200, 1335, 375, L"\u304A\u308F\u308B", ROLE_SYSTEM_PUSHBUTTON}};
inline const std::vector<Design> kAbout{
    {0, 0, 0, 5730, 3555, L"Tenmoru\u306E\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D\u60C5\u5831", 0},
    {tenmoru::AboutForm::picIcon, 240, 240, 540, 540, L"Tenmoru\u306E\u30A2\u30A4\u30B3\u30F3", ROLE_SYSTEM_GRAPHIC},
    {tenmoru::AboutForm::lblTitle, 1050, 240, 3885, 480, L"Tenmoru", ROLE_SYSTEM_STATICTEXT},
    {tenmoru::AboutForm::lblVersion, 1050, 780, 3885, 225, L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D 2.0.0",
     ROLE_SYSTEM_STATICTEXT},
    {tenmoru::AboutForm::lblDescription, 1050, 1125, 3885, 1170, {}, ROLE_SYSTEM_STATICTEXT},
    {tenmoru::AboutForm::lblDisclaimer, 255, 2625, 3870, 825, L"\u8B66\u544A: ...", ROLE_SYSTEM_STATICTEXT},
    {tenmoru::AboutForm::cmdOK, 4245, 2625, 1380, 345, L"OK", ROLE_SYSTEM_PUSHBUTTON},
    {tenmoru::AboutForm::cmdSysInfo, 4260, 3075, 1380, 345, L"\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831(&S)...",
     ROLE_SYSTEM_PUSHBUTTON}};

// Every control (id 0: the client area) where its twips put it at the DPI twips are laid out at.
inline void ExpectAtTwips(HWND window, const std::vector<Design>& design, UINT layoutDpi) {
    for (const Design& d : design) {
        RECT r{};
        d.id == 0 ? ::GetClientRect(window, &r) : ::GetWindowRect(::GetDlgItem(window, d.id), &r);
        if (d.id != 0) ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const RECT want = tenmoru::PixelRect({d.left, d.top, d.width, d.height}, layoutDpi);
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                  std::vector<LONG>({want.left, want.top, want.right, want.bottom}))
            << "control " << d.id;
    }
}

}  // namespace e2e
