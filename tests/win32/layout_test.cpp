// Twips to pixels for the main window's table, at the DPIs the program meets.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/win32/layout.hpp"

namespace {

struct RectCase {
    const char* name;
    TwipsRect twips;
    UINT dpi;
    RECT pixels;  // left, top, right, bottom
};

// The main window's four controls. 96 dpi: the pixel figures the layout is drawn for;
// other DPIs: the twips scaled and rounded to the nearest pixel, halves away from zero.
constexpr RectCase kMainWindowRects[] = {
    {"lblhelp 96", {480, 120, 975, 255}, 96, {32, 8, 32 + 65, 8 + 17}},
    {"lblver 96", {1800, 120, 975, 255}, 96, {120, 8, 120 + 65, 8 + 17}},
    {"cmdstat 96", {840, 600, 1335, 375}, 96, {56, 40, 56 + 89, 40 + 25}},
    {"cmdend 96", {840, 1200, 1335, 375}, 96, {56, 80, 56 + 89, 80 + 25}},
    // 120 dpi: 1.25 times; 81.25 -> 81, 21.25 -> 21, 111.25 -> 111, 31.25 -> 31
    {"lblhelp 120", {480, 120, 975, 255}, 120, {40, 10, 40 + 81, 10 + 21}},
    {"lblver 120", {1800, 120, 975, 255}, 120, {150, 10, 150 + 81, 10 + 21}},
    {"cmdstat 120", {840, 600, 1335, 375}, 120, {70, 50, 70 + 111, 50 + 31}},
    {"cmdend 120", {840, 1200, 1335, 375}, 120, {70, 100, 70 + 111, 100 + 31}},
    // 144 dpi: 1.5 times; 97.5 -> 98, 25.5 -> 26, 133.5 -> 134, 37.5 -> 38
    {"lblhelp 144", {480, 120, 975, 255}, 144, {48, 12, 48 + 98, 12 + 26}},
    {"lblver 144", {1800, 120, 975, 255}, 144, {180, 12, 180 + 98, 12 + 26}},
    {"cmdstat 144", {840, 600, 1335, 375}, 144, {84, 60, 84 + 134, 60 + 38}},
    {"cmdend 144", {840, 1200, 1335, 375}, 144, {84, 120, 84 + 134, 120 + 38}},
    // 192 dpi: twice
    {"lblhelp 192", {480, 120, 975, 255}, 192, {64, 16, 64 + 130, 16 + 34}},
    {"lblver 192", {1800, 120, 975, 255}, 192, {240, 16, 240 + 130, 16 + 34}},
    {"cmdstat 192", {840, 600, 1335, 375}, 192, {112, 80, 112 + 178, 80 + 50}},
    {"cmdend 192", {840, 1200, 1335, 375}, 192, {112, 160, 112 + 178, 160 + 50}},
};

TEST(TwipsLayout, MainWindowControlsLandOnTheirPixels) {
    for (const RectCase& c : kMainWindowRects) {
        SCOPED_TRACE(c.name);
        const RECT r = PixelRect(c.twips, c.dpi);
        EXPECT_EQ(r.left, c.pixels.left);
        EXPECT_EQ(r.top, c.pixels.top);
        EXPECT_EQ(r.right, c.pixels.right);
        EXPECT_EQ(r.bottom, c.pixels.bottom);
    }
}

struct SizeCase {
    UINT dpi;
    SIZE client;
};

// The main window's client area, 2955 x 1725 twips.
constexpr SizeCase kClientSizes[] = {
    {96, {197, 115}}, {120, {246, 144}}, {144, {296, 173}}, {192, {394, 230}},
};

TEST(TwipsLayout, MainWindowClientArea) {
    for (const SizeCase& c : kClientSizes) {
        SCOPED_TRACE("dpi " + std::to_string(c.dpi));
        const SIZE s = PixelSize({2955, 1725}, c.dpi);
        EXPECT_EQ(s.cx, c.client.cx);
        EXPECT_EQ(s.cy, c.client.cy);
    }
}

// A window made for the computed outer size must get exactly the designed client area.
TEST(TwipsLayout, OuterSizeGivesTheClientArea) {
    const UINT dpi = GetDpiForSystem();
    constexpr DWORD kStyles[] = {WS_OVERLAPPEDWINDOW, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME};
    for (const DWORD style : kStyles) {
        SCOPED_TRACE("style " + std::to_string(style));
        const SIZE outer = WindowSizeForClient({2955, 1725}, style, 0, dpi);
        const HWND window = CreateWindowExW(0, L"STATIC", L"", style, 0, 0, outer.cx, outer.cy, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        RECT client{};
        GetClientRect(window, &client);
        const SIZE expected = PixelSize({2955, 1725}, dpi);
        EXPECT_EQ(client.right, expected.cx);
        EXPECT_EQ(client.bottom, expected.cy);
        DestroyWindow(window);
    }
}

}  // namespace
