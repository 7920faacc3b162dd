// Both windows at the display resolutions a player may have: every client area and control follows
// its twips at the resolution, every caption fits its control in the control's own font, and the
// About dialog's etched separator lies where its twips put it. Screenshots of both windows at each.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "about_e2e.hpp"
#include "caption_fit.hpp"
#include "driver/display_dpi.hpp"
#include "driver/screenshot.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"
#include "tenmoru_session.hpp"

namespace {

using e2e::TenmoruSession;

constexpr int kTwipsPerInch = 1440;

// A rectangle of the layout in twips: left, top, width, height.
struct Twips {
    int left, top, width, height;
};

int ToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, kTwipsPerInch); }

RECT ToPixels(const Twips& t, int dpi) {
    const int left = ToPixels(t.left, dpi);
    const int top = ToPixels(t.top, dpi);
    return {left, top, left + ToPixels(t.width, dpi), top + ToPixels(t.height, dpi)};
}

std::string Describe(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

// The largest distance of an edge of the rectangle from the exact twips × dpi / 1440 (not rounded).
double Deviation(const RECT& actual, const Twips& t, int dpi) {
    const double scale = static_cast<double>(dpi) / kTwipsPerInch;
    const double edges[4][2] = {{static_cast<double>(actual.left), t.left * scale},
                                {static_cast<double>(actual.top), t.top * scale},
                                {static_cast<double>(actual.right - actual.left), t.width * scale},
                                {static_cast<double>(actual.bottom - actual.top), t.height * scale}};
    double worst = 0;
    for (const auto& edge : edges) worst = std::max(worst, std::abs(edge[0] - edge[1]));
    return worst;
}

struct ControlCase {
    const char* name;
    int id;
    Twips twips;
    std::wstring className;
    std::wstring text;  // empty: not compared
};

const std::wstring kVersionWord = L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D";  // ﾊﾞｰｼﾞｮﾝ

constexpr Twips kMainClient{0, 0, 2955, 1725};
const ControlCase kMainControls[] = {
    {"lblhelp", IDC_LBLHELP, {480, 120, 975, 255}, L"Static", L"\u3064\u304B\u3044\u304B\u305F"},
    {"lblver", IDC_LBLVER, {1800, 120, 975, 255}, L"Static", L"\u30D0\u30FC\u30B8\u30E7\u30F3"},
    {"cmdstat", IDC_CMDSTAT, {840, 600, 1335, 375}, L"Button", L"\u3061\u3087\u3046\u305B\u3093"},
    {"cmdend", IDC_CMDEND, {840, 1200, 1335, 375}, L"Button", L"\u304A\u308F\u308B"},
};

constexpr Twips kAboutClient{0, 0, 5730, 3555};
const ControlCase kAboutControls[] = {
    {"picIcon", IDC_PICICON, {240, 240, 540, 540}, L"TenmoruPictureBox", L""},
    {"lblTitle", IDC_LBLTITLE, {1050, 240, 3885, 480}, L"Static", L"Tenmoru"},
    {"lblVersion", IDC_LBLVERSION, {1050, 780, 3885, 225}, L"Static", kVersionWord + L" 2.0.0"},
    {"lblDescription", IDC_LBLDESCRIPTION, {1050, 1125, 3885, 1170}, L"Static", L""},
    {"lblDisclaimer", IDC_LBLDISCLAIMER, {255, 2625, 3870, 825}, L"Static", L"\u8B66\u544A: ..."},
    {"cmdOK", IDC_CMDOK, {4245, 2625, 1380, 345}, L"Button", L"OK"},
    {"cmdSysInfo", IDC_CMDSYSINFO, {4260, 3075, 1380, 345}, L"Button",
     L"\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831(&S)..."},
};

// The worst figures of one window, printed for the record.
struct Figures {
    SIZE client{};
    double worstDeviation = 0;
    int worstMargin = INT_MAX;
    std::string tightest;
};

// Client area, then each control: kind, text, place and size, and whether its caption fits.
void CheckWindow(HWND window, const Twips& clientTwips, const std::vector<ControlCase>& controls, int dpi,
                 Figures& figures) {
    const RECT client = driver::ClientRect(window);
    figures.client = {client.right, client.bottom};
    // Also the proof that the program started at the resolution.
    ASSERT_EQ(client.right, ToPixels(clientTwips.width, dpi)) << "client width";
    ASSERT_EQ(client.bottom, ToPixels(clientTwips.height, dpi)) << "client height";
    figures.worstDeviation = Deviation(client, clientTwips, dpi);
    const std::vector<LOGFONTW> candidates = e2e::CandidateFonts(static_cast<UINT>(dpi));
    ASSERT_FALSE(candidates.empty());
    std::optional<LOGFONTW> windowFont;
    LOGFONTW font{};

    for (const ControlCase& c : controls) {
        SCOPED_TRACE(c.name);
        const HWND control = ::GetDlgItem(window, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(::IsWindowVisible(control));
        EXPECT_EQ(driver::ClassName(control), c.className);
        if (!c.text.empty()) {
            EXPECT_EQ(driver::Text(control), c.text);
        }

        const RECT actual = driver::RectInParent(control);
        const RECT expected = ToPixels(c.twips, dpi);
        EXPECT_TRUE(::EqualRect(&actual, &expected))
            << "actual " << Describe(actual) << ", expected " << Describe(expected);
        const double deviation = Deviation(actual, c.twips, dpi);
        EXPECT_LE(deviation, 1.0) << "actual " << Describe(actual);
        figures.worstDeviation = std::max(figures.worstDeviation, deviation);

        if (c.className == L"TenmoruPictureBox") continue;  // no caption
        // A label's font is the one its pixels show; a button has its window's font, that of
        // the first label (the program gives one font to every control of a window).
        if (c.className == L"Static") {
            std::optional<LOGFONTW> own;
            driver::WaitUntil([&] { return (own = e2e::FontOfLabel(control, candidates)).has_value(); });
            ASSERT_TRUE(own.has_value()) << "the caption on the screen matches no font of the DPI";
            if (!windowFont) windowFont = own;
            font = *own;
        }
        ASSERT_TRUE(windowFont.has_value()) << "no label before the buttons to learn the font from";
        if (c.className != L"Static") font = *windowFont;
        const std::optional<e2e::CaptionFit> fit = e2e::MeasureCaption(control, font, static_cast<UINT>(dpi));
        ASSERT_TRUE(fit.has_value()) << "not a label or push button";
        const std::string fitText = std::to_string(fit->text.cx) + "x" + std::to_string(fit->text.cy) + " in " +
                                    std::to_string(fit->room.cx) + "x" + std::to_string(fit->room.cy) +
                                    ", font " + e2e::DescribeFont(font);
        EXPECT_GE(fit->Margin(), 0) << "caption clipped: " << fitText;
        if (fit->Margin() < figures.worstMargin) {
            figures.worstMargin = fit->Margin();
            figures.tightest = std::string(c.name) + " " + fitText;
        }
    }
}

// The colour of one pixel of the window's client area, read from the screen.
COLORREF ClientPixel(HWND window, int x, int y) {
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    const driver::WindowDc screen(nullptr);
    return ::GetPixel(screen.get(), at.x, at.y);
}

// The etched separator: grey at y(2445), white from y(2460), across from x(105) to x(5654).
void CheckSeparator(HWND about, int dpi) {
    ASSERT_TRUE(driver::BringToForeground(about));
    ASSERT_TRUE(driver::ThreadAnswers(about));
    const int middle = ToPixels(2880, dpi);
    const int greyY = ToPixels(2445, dpi);
    const int whiteY = ToPixels(2460, dpi);
    const int end = ToPixels(5654, dpi);
    EXPECT_EQ(ClientPixel(about, middle, greyY), RGB(128, 128, 128)) << "grey line";
    EXPECT_EQ(ClientPixel(about, middle, whiteY), RGB(255, 255, 255)) << "white line";
    EXPECT_EQ(ClientPixel(about, end - 1, whiteY), RGB(255, 255, 255)) << "white line's last pixel";
    EXPECT_NE(ClientPixel(about, end + 1, whiteY), RGB(255, 255, 255)) << "white line ends at x(5654)";
}

void Print(int dpi, const char* window, const Figures& f) {
    std::cout << "dpi " << dpi << " " << window << ": client " << f.client.cx << "x" << f.client.cy
              << ", worst deviation " << std::fixed << std::setprecision(2) << f.worstDeviation << " px, tightest caption margin " << f.worstMargin
              << " px (" << f.tightest << ")\n";
}

class DpiSweep : public ::testing::TestWithParam<int> {};

TEST_P(DpiSweep, BothWindowsFollowTheTwipsAndShowEveryCaptionWhole) {
    const int dpi = GetParam();
    const std::optional<DWORD> resolutionBefore = driver::LogPixels();
    std::optional<TenmoruSession> session;
    {
        // Wine reads the resolution once, when a process starts: set it, start, put it back.
        driver::ScopedLogPixels resolution(static_cast<DWORD>(dpi));
        session.emplace();
    }
    EXPECT_EQ(driver::LogPixels(), resolutionBefore) << "the prefix's resolution is put back";

    const HWND main = session->MainWindow();
    EXPECT_EQ(driver::Text(main), L"Tenmoru");
    ASSERT_TRUE(driver::BringToForeground(main));
    ASSERT_TRUE(driver::ThreadAnswers(main));
    Figures mainFigures;
    {
        SCOPED_TRACE("main window");
        CheckWindow(main, kMainClient, {std::begin(kMainControls), std::end(kMainControls)}, dpi, mainFigures);
    }
    EXPECT_FALSE(driver::SaveScreenshot(main, L"dpi_" + std::to_wstring(dpi) + L"_main").empty());

    const HWND about = about_e2e::OpenAbout(*session);
    ASSERT_NE(about, nullptr) << "no About dialog";
    EXPECT_EQ(driver::Text(about), L"Tenmoru\u306E" + kVersionWord + L"\u60C5\u5831");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(about, GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU) << "close button";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << "fixed frame, no min/max";
    EXPECT_EQ(::GetWindow(about, GW_OWNER), nullptr) << "unowned";
    ASSERT_TRUE(driver::BringToForeground(about));
    ASSERT_TRUE(driver::ThreadAnswers(about));
    Figures aboutFigures;
    {
        SCOPED_TRACE("About dialog");
        CheckWindow(about, kAboutClient, {std::begin(kAboutControls), std::end(kAboutControls)}, dpi,
                    aboutFigures);
        EXPECT_NE(driver::Text(::GetDlgItem(about, IDC_LBLDESCRIPTION)), L"") << "a developer credit";
        CheckSeparator(about, dpi);
    }
    EXPECT_FALSE(driver::SaveScreenshot(about, L"dpi_" + std::to_wstring(dpi) + L"_about").empty());

    Print(dpi, "main window", mainFigures);
    Print(dpi, "About dialog", aboutFigures);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, DpiSweep, ::testing::Values(96, 120, 144, 192),
                         [](const auto& test) { return std::to_string(test.param) + "dpi"; });

}  // namespace
