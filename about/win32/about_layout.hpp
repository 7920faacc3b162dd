#pragma once
// The About dialog as data: its client size, its controls and the etched separator, in twips.
#include <windows.h>

#include <array>

#include "about/about_texts.hpp"
#include "resources/resource_ids.h"
#include "shell/win32/layout.hpp"

// The window class of the focusable picture box that shows picIcon's image.
inline constexpr wchar_t kPictureBoxClass[] = L"TenmoruPictureBox";

inline constexpr TwipsSize kAboutClient{5730, 3555};

// In tab order (cmdOK, picIcon, cmdSysInfo), then the labels, which take no focus.
// Buttons notify their focus so that the default button follows it, as in any dialog.
inline constexpr std::array<ControlSpec, 7> kAboutControls{{
    {IDC_CMDOK, WC_BUTTONW, kAboutOk, BS_DEFPUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, {4245, 2625, 1380, 345}},
    {IDC_PICICON, kPictureBoxClass, L"", WS_TABSTOP, WS_EX_CLIENTEDGE, {240, 240, 540, 540}},
    {IDC_CMDSYSINFO, WC_BUTTONW, kAboutSysInfo, BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, {4260, 3075, 1380, 345}},
    {IDC_LBLDESCRIPTION, WC_STATICW, kAboutDescription, SS_LEFT | SS_NOPREFIX, 0, {1050, 1125, 3885, 1170}},
    {IDC_LBLDISCLAIMER, WC_STATICW, kAboutDisclaimer, SS_LEFT | SS_NOPREFIX, 0, {255, 2625, 3870, 825}},
    {IDC_LBLTITLE, WC_STATICW, L"Tenmoru", SS_LEFT | SS_NOPREFIX, 0, {1050, 240, 3885, 480}},
    {IDC_LBLVERSION, WC_STATICW, L"ﾊﾞｰｼﾞｮﾝ", SS_LEFT | SS_NOPREFIX, 0, {1050, 780, 3885, 225}},
}};

// One stroke of the etched separator: a horizontal band from (left, top) to x = right, as thick
// as thickness twips, in one colour.
struct SeparatorStroke {
    int left;
    int top;
    int right;
    int thickness;
    COLORREF colour;
};

// Line1: the grey line, and one pixel lower the white line twice as thick.
inline constexpr std::array<SeparatorStroke, 2> kAboutSeparator{{
    {90, 2445, 5654, 15, RGB(128, 128, 128)},
    {105, 2460, 5654, 30, RGB(255, 255, 255)},
}};

// The stroke's pixels at the DPI: at least one pixel thick.
[[nodiscard]] RECT SeparatorPixels(const SeparatorStroke& stroke, UINT dpi) noexcept;

// The size of picIcon's image at the DPI: 32 pixels at 96 dpi.
[[nodiscard]] int PictureIconSize(UINT dpi) noexcept;
