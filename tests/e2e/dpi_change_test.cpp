// Windows moved between monitors of other scaling, as Windows tells them (WM_GETDPISCALEDSIZE from
// 1703, WM_DPICHANGED): Wine has one monitor, so this process sends its own windows 96-144-120-96 dpi.
#include <gtest/gtest.h>

#include <thread>
#include <utility>

#include "designs.hpp"
#include "runtime/win32/input_box.hpp"
#include "runtime/win32/newer_functions.hpp"

namespace {

constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
constexpr UINT kDpis[] = {144, 120, 96};

std::wstring Profile() {  // TENMORU_WITHOUT_NEWER_FUNCTIONS, empty for the newest system
    wchar_t profile[8] = {};
    return ::GetEnvironmentVariableW(L"TENMORU_WITHOUT_NEWER_FUNCTIONS", profile, 8) < 8 ? profile : L"";
}

// The outer size for a client area of twips at the DPI; before Windows 10 1607 the frame keeps the
// system's size.
SIZE FrameFor(const e2e::Design& client, HWND window, UINT dpi) {
    RECT r{0, 0, ::MulDiv(client.width, static_cast<int>(dpi), 1440),
           ::MulDiv(client.height, static_cast<int>(dpi), 1440)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    Profile() == L"8.1" ? ::AdjustWindowRectEx(&r, style, FALSE, exStyle)
                        : ::AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

HGDIOBJ FontOf(HWND window, int id) {
    return reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetDlgItem(window, id), WM_GETFONT, 0, 0));
}

// One move, as the system makes it: where it asks (1703), the window answers its designed size for
// the pending size it is at and takes the rectangle suggested from it; elsewhere it takes its
// designed size in the place suggested for the whole window scaled. design[0] is the client area
// (the input box's height follows its prompt: only its width is known).
void ExpectMovedTo(HWND window, UINT from, UINT dpi, const std::vector<e2e::Design>& design) {
    SCOPED_TRACE("to " + std::to_string(dpi) + " dpi");
    RECT before{}, after{};
    ::GetWindowRect(window, &before);
    const SIZE designed = FrameFor(design[0], window, dpi);
    const bool asks = tenmoru::SystemAsksForDpiScaledSize();
    SIZE size{before.right - before.left, before.bottom - before.top};
    EXPECT_EQ(::SendMessageW(window, kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)) != 0, asks);
    if (!asks)
        size = {::MulDiv(size.cx, static_cast<int>(dpi), static_cast<int>(from)),
                ::MulDiv(size.cy, static_cast<int>(dpi), static_cast<int>(from))};
    const RECT suggested{before.left + 13, before.top + 7, before.left + 13 + size.cx, before.top + 7 + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(window, &after);
    EXPECT_EQ(std::vector<LONG>({after.left, after.top, after.right - after.left}),
              std::vector<LONG>({suggested.left, suggested.top, designed.cx}));
    EXPECT_TRUE(design[0].height == 0 || after.bottom - after.top == designed.cy) << "not the designed height";
    EXPECT_TRUE(!asks || ::EqualRect(&after, &suggested)) << "not at the suggested rectangle";
    e2e::ExpectAtTwips(window, {design.begin() + 1, design.end()}, dpi);
    // The message font for the DPI as the system gives it, whatever the system the program runs on.
    LOGFONTW font{};
    NONCLIENTMETRICSW wanted{};
    wanted.cbSize = sizeof wanted;
    ::GetObjectW(FontOf(window, design.back().id), sizeof font, &font);
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof wanted, &wanted, 0, dpi);
    EXPECT_EQ(font.lfHeight, wanted.lfMessageFont.lfHeight) << "a font of another DPI";
}

// The round, then changes as many again and more, each making a new font and deleting the old one
// (Wine counts no GDI objects, so the fonts are followed one by one). Last, the size a tool sets as it moves the
// window (snapping it into a zone, say) is left to the system, and the designed size, set back
// while the window has another, kept in twips.
void ExpectDpiChanges(HWND window, const std::vector<e2e::Design>& design) {
    UINT from = 96;
    for (const UINT dpi : kDpis) ExpectMovedTo(window, std::exchange(from, dpi), dpi, design);
    for (int change = 0; change < 48; ++change) {  // the last at 96 dpi, where the round left the window
        RECT r{};
        ::GetWindowRect(window, &r);
        const HGDIOBJ before = FontOf(window, design.back().id);
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kDpis[change % 3], kDpis[change % 3]),
                       reinterpret_cast<LPARAM>(&r));
        const HGDIOBJ now = FontOf(window, design.back().id);
        EXPECT_TRUE(now != before && ::GetObjectType(before) == 0 && ::GetObjectType(now) == OBJ_FONT) << change;
    }
    if (design[0].height == 0) return;  // the input box always has its own size
    RECT r{};
    ::GetWindowRect(window, &r);
    SIZE zone{r.right - r.left + 20, r.bottom - r.top}, back{r.right - r.left, r.bottom - r.top};
    EXPECT_FALSE(::SendMessageW(window, kGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&zone)))
        << "a size the tool set taken for the designed one";
    ::SetWindowPos(window, nullptr, 0, 0, zone.cx, zone.cy, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(::SendMessageW(window, kGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&back)) != 0,
              tenmoru::SystemAsksForDpiScaledSize())
        << "the designed size set back, taken for one the player chose";
}

RECT createdAt{};  // where the About dialog's window is made, as a creation hook sees it
LRESULT CALLBACK RecordCreation(int code, WPARAM window, LPARAM creation) {
    if (code == HCBT_CREATEWND && e2e::ClassName(reinterpret_cast<HWND>(window)) == tenmoru::kAboutFormClass) {
        const CREATESTRUCTW& c = *reinterpret_cast<CBT_CREATEWNDW*>(creation)->lpcs;
        createdAt = {c.x, c.y, c.x + c.cx, c.y + c.cy};
    }
    return ::CallNextHookEx(nullptr, code, window, creation);
}

TEST(DpiChange, BothFormsAndTheInputBoxKeepTheirDesignOnEveryMonitor) {
    if (Profile() == L"7" || Profile() == L"1") GTEST_SKIP() << "Windows 7 never changes a window's DPI";
    tenmoru::Tenmoru main;
    ASSERT_TRUE(main.Load(nullptr));
    const e2e::Restore unload([&] { tenmoru::frmAbout2().Unload(); });
    {  // the About dialog is made at its place beside the main window, not moved there
        const tenmoru::unique_hhook watch(
            ::SetWindowsHookExW(WH_CBT, &RecordCreation, nullptr, ::GetCurrentThreadId()));
        ASSERT_TRUE(tenmoru::frmAbout2().Open(main.Window()));
    }
    RECT shown{};
    ::GetWindowRect(tenmoru::frmAbout2().Window(), &shown);
    EXPECT_TRUE(::EqualRect(&createdAt, &shown)) << "the About dialog was moved after it was made";
    ExpectDpiChanges(main.Window(), e2e::kMain);
    ExpectDpiChanges(tenmoru::frmAbout2().Window(), e2e::kAbout);

    std::thread box([] { tenmoru::RunInputBox(nullptr, L"\u6570\u5B57", L"Tenmoru", L""); });
    HWND dialog = nullptr;
    e2e::WaitUntil([&] { return (dialog = e2e::FindShownWindow(::GetCurrentProcessId(), L"#32770")) != nullptr; });
    const e2e::Restore closed([&] {
        if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        box.join();
    });
    ASSERT_NE(dialog, nullptr);
    // The box is 6000 twips wide; its buttons stand at their twips.
    ExpectDpiChanges(
        dialog,
        {{0, 0, 0, 6000, 0, {}, 0}, {IDOK, 4560, 180, 1260, 375, {}, 0}, {IDCANCEL, 4560, 660, 1260, 375, {}, 0}});
}

}  // namespace
