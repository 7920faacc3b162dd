// A window moved to a monitor of another scaling, as Windows tells it: WM_GETDPISCALEDSIZE asks for
// its size at the new DPI (Windows 10 1703 and later), WM_DPICHANGED gives the new DPI and the
// rectangle to take. Wine has one monitor, so the test process makes each window itself and sends
// it what Windows would: 96 -> 144 -> 120 -> 96 dpi, then fifty changes more.
#include <gtest/gtest.h>

#include <optional>
#include <ranges>
#include <thread>
#include <utility>

#include "designs.hpp"
#include "driver/driver.hpp"
#include "runtime/win32/input_box.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/ui_font.hpp"

namespace {

using tenmoru::TwipsSize;

constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
constexpr UINT kDpis[] = {144, 120, 96};

struct Laid {
    int id;
    tenmoru::TwipsRect twips;
};

// The profile the test runs under (TENMORU_WITHOUT_NEWER_FUNCTIONS), empty for the newest system.
std::wstring Profile() {
    wchar_t profile[8] = {};
    return ::GetEnvironmentVariableW(L"TENMORU_WITHOUT_NEWER_FUNCTIONS", profile, 8) < 8 ? profile : L"";
}

// The window's outer size for a client area at the DPI: before Windows 10 1607 the frame keeps the
// system's size whatever the monitor.
SIZE FrameFor(TwipsSize client, HWND window, UINT dpi) {
    RECT r{0, 0, ::MulDiv(client.width, static_cast<int>(dpi), 1440),
           ::MulDiv(client.height, static_cast<int>(dpi), 1440)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    Profile() == L"8.1" ? ::AdjustWindowRectEx(&r, style, FALSE, exStyle)
                        : ::AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

// One move to a monitor of the DPI, as the system makes it. Where it asks (Windows 10 1703), the
// window answers with its designed size and takes the rectangle suggested from that; where it does
// not, the system suggests the whole window scaled, and the window takes its designed size there.
// The input box's height follows its prompt: of the box, its width is checked.
void ExpectMovedTo(HWND window, UINT from, UINT dpi, const std::vector<Laid>& controls,
                   std::optional<TwipsSize> client) {
    SCOPED_TRACE("to " + std::to_string(dpi) + " dpi");
    RECT before{}, after{};
    ::GetWindowRect(window, &before);
    const SIZE designed = FrameFor(client.value_or(TwipsSize{6000, 0}), window, dpi);
    const bool asks = tenmoru::SystemAsksForDpiScaledSize();
    SIZE size{::MulDiv(before.right - before.left, static_cast<int>(dpi), static_cast<int>(from)),
              ::MulDiv(before.bottom - before.top, static_cast<int>(dpi), static_cast<int>(from))};
    EXPECT_EQ(::SendMessageW(window, kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)) != 0, asks);
    const RECT suggested{before.left + 13, before.top + 7, before.left + 13 + size.cx, before.top + 7 + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(window, &after);
    EXPECT_EQ(std::pair(after.left, after.top), std::pair(suggested.left, suggested.top))
        << "not in the suggested place";
    EXPECT_EQ(after.right - after.left, designed.cx) << "not the designed width";
    if (client) {
        EXPECT_EQ(after.bottom - after.top, designed.cy) << "not the designed height";
    }
    if (asks) {
        EXPECT_TRUE(::EqualRect(&after, &suggested)) << "not at the suggested rectangle";
    }
    for (const Laid& c : controls) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        const RECT expected = tenmoru::PixelRect(c.twips, dpi);
        const RECT r = e2e::ChildRect(window, c.id);
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<LONG>(
                      {expected.left, expected.top, expected.right - expected.left, expected.bottom - expected.top}));
    }
    LOGFONTW font{}, wanted{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetDlgItem(window, controls.back().id), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    ::GetObjectW(tenmoru::CreateUiFont(dpi).get(), sizeof wanted, &wanted);
    EXPECT_EQ(font.lfHeight, wanted.lfHeight) << "a font of another DPI";
}

// The full round, then fifty more changes: the font of a change goes with the next one.
void ExpectDpiChanges(HWND window, const std::vector<Laid>& controls, std::optional<TwipsSize> client) {
    UINT from = 96;
    for (const UINT dpi : kDpis) ExpectMovedTo(window, std::exchange(from, dpi), dpi, controls, client);
    // Wine counts no GDI objects (GetGuiResources gives 0), so the fonts are followed one by one:
    // each change makes a new one and deletes the one before.
    const auto font = [&] {
        return reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetDlgItem(window, controls.back().id), WM_GETFONT, 0, 0));
    };
    for (int change = 0; change < 50; ++change) {
        RECT r{};
        ::GetWindowRect(window, &r);
        const HGDIOBJ before = font();
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(kDpis[change % 3], kDpis[change % 3]),
                       reinterpret_cast<LPARAM>(&r));
        EXPECT_TRUE(font() != before && ::GetObjectType(before) == 0 && ::GetObjectType(font()) == OBJ_FONT)
            << "change " << change << ": the old font stays or no new one";
    }
    if (!client) return;  // the input box has a fixed frame
    // A window the player has resized is the system's to scale.
    RECT r{};
    ::GetWindowRect(window, &r);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left + 20, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    SIZE size{};
    EXPECT_FALSE(::SendMessageW(window, kGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&size)));
}

// Where the About dialog's window is created, as a hook on this thread's window creation sees it.
RECT createdAt{};
LRESULT CALLBACK RecordCreation(int code, WPARAM window, LPARAM creation) {
    if (code == HCBT_CREATEWND && e2e::ClassName(reinterpret_cast<HWND>(window)) == tenmoru::kAboutFormClass) {
        const CREATESTRUCTW& c = *reinterpret_cast<CBT_CREATEWNDW*>(creation)->lpcs;
        createdAt = {c.x, c.y, c.x + c.cx, c.y + c.cy};
    }
    return ::CallNextHookEx(nullptr, code, window, creation);
}

bool OnWindows7() { return Profile() == L"7" || Profile() == L"1"; }

TEST(DpiChange, TheMainWindowAndTheAboutDialogKeepTheirDesignOnEveryMonitor) {
    if (OnWindows7()) GTEST_SKIP() << "Windows 7 never changes a window's DPI";
    tenmoru::Tenmoru main;
    ASSERT_TRUE(main.Load(nullptr));
    const e2e::Restore unload([&] { tenmoru::frmAbout2().Unload(); });
    {
        // The About dialog is made at its place beside the main window, laid out there; not moved.
        const tenmoru::unique_hhook watch(
            ::SetWindowsHookExW(WH_CBT, &RecordCreation, nullptr, ::GetCurrentThreadId()));
        ASSERT_TRUE(tenmoru::frmAbout2().Open(main.Window()));
    }
    RECT shown{};
    ::GetWindowRect(tenmoru::frmAbout2().Window(), &shown);
    EXPECT_TRUE(::EqualRect(&createdAt, &shown)) << "the About dialog was moved after it was made";
    for (const auto& [window, design] :
         {std::pair(main.Window(), &e2e::kMain), std::pair(tenmoru::frmAbout2().Window(), &e2e::kAbout)}) {
        SCOPED_TRACE(e2e::ClassName(window));
        std::vector<Laid> controls;
        for (const e2e::Design& d : *design | std::views::drop(1))
            controls.push_back({d.id, {d.left, d.top, d.width, d.height}});
        ExpectDpiChanges(window, controls, TwipsSize{design->front().width, design->front().height});
    }
}

TEST(DpiChange, TheInputBoxKeepsItsDesignOnEveryMonitor) {
    if (OnWindows7()) GTEST_SKIP() << "Windows 7 never changes a window's DPI";
    std::thread box([] { tenmoru::RunInputBox(nullptr, L"\u6570\u5B57", L"Tenmoru", L""); });
    HWND dialog = nullptr;
    e2e::WaitUntil([&] { return (dialog = e2e::FindShownWindow(::GetCurrentProcessId(), L"#32770")) != nullptr; });
    const e2e::Restore closed([&] {
        if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        box.join();
    });
    ASSERT_NE(dialog, nullptr);
    // The buttons stand at their twips; the field spans the box's width below the prompt.
    ExpectDpiChanges(dialog, {{IDOK, {4560, 180, 1260, 375}}, {IDCANCEL, {4560, 660, 1260, 375}}}, std::nullopt);
}

}  // namespace
