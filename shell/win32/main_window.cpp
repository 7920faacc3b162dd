#include "shell/win32/main_window.hpp"

#include <windowsx.h>

#include <array>
#include <cstdint>

#include "game/guess_loop.hpp"
#include "game/rules.hpp"
#include "resources/resource_ids.h"
#include "shell/win32/layout.hpp"
#include "shell/win32/open_forms.hpp"
#include "shell/win32/ui_font.hpp"
#include "shell/win32/win32_ui.hpp"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr TwipsSize kClient{2955, 1725};

// In tab order: the start button first, then the labels (which take no focus), then the end button.
// Labels notify their clicks; buttons are plain push buttons (no default button).
constexpr std::array<ControlSpec, 4> kControls{{
    {IDC_CMDSTAT, WC_BUTTONW, L"ちょうせん", BS_PUSHBUTTON | WS_TABSTOP, 0, {840, 600, 1335, 375}},
    {IDC_LBLHELP, WC_STATICW, L"つかいかた", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, {480, 120, 975, 255}},
    {IDC_LBLVER, WC_STATICW, L"バージョン", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, {1800, 120, 975, 255}},
    {IDC_CMDEND, WC_BUTTONW, L"おわる", BS_PUSHBUTTON | WS_TABSTOP, 0, {840, 1200, 1335, 375}},
}};

// The performance counter mixed with the precise system time: a new value for every game.
std::uint64_t PerformanceCounterTicks() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::uint64_t time = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::uint64_t>(counter.QuadPart) ^ (time << 17);
}

bool IsPushButton(HWND control) {
    return control != nullptr &&
           (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) != 0;
}

}  // namespace

MainWindow::MainWindow(std::function<void()> showAbout)
    : showAbout_(std::move(showAbout)), random_(&PerformanceCounterTicks) {}

bool MainWindow::Create(HINSTANCE instance) {
    const auto bigIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TENMORU), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                                       LR_SHARED));
    const auto smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TENMORU), IMAGE_ICON,
                                                         GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return CreateTopLevel(instance, TENMORU_MAIN_CLASS, L"Tenmoru", kStyle, kExStyle, nullptr, bigIcon, smallIcon);
}

LRESULT MainWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
        HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
        HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
        HANDLE_MSG(hwnd, WM_SETFOCUS, OnSetFocus);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID:
        return OnGetDefId(hwnd);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void MainWindow::cmdstat_Click() {
    Win32Ui ui{Window()};
    PlayGame(ui, random_);
}

void MainWindow::lblhelp_Click() {
    Win32Ui ui{Window()};
    ShowRules(ui);
}

void MainWindow::lblver_Click() {
    // The About dialog is opened by whoever set the hook (WinMain); without one, nothing happens.
    if (showAbout_) showAbout_();
}

void MainWindow::cmdend_Click() { End(); }

BOOL MainWindow::OnCreate(HWND hwnd, LPCREATESTRUCT) {
    if (!CreateControls(hwnd, kControls)) return FALSE;
    OpenForms::Instance().Add(hwnd);
    const UINT dpi = WindowDpi(hwnd);
    ApplyDpi(dpi);
    // First shown in the middle of the work area of the screen it opens on.
    const SIZE size = WindowSizeForClient(kClient, kStyle, kExStyle, dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    focus_.Set(GetDlgItem(hwnd, IDC_CMDSTAT));
    return TRUE;
}

void MainWindow::OnCommand(HWND, int id, HWND, UINT code) {
    switch (id) {
    case IDC_CMDSTAT:
        if (code == BN_CLICKED) cmdstat_Click();
        break;
    case IDC_CMDEND:
        if (code == BN_CLICKED) cmdend_Click();
        break;
    case IDC_LBLHELP:
        if (code == STN_CLICKED) lblhelp_Click();
        break;
    case IDC_LBLVER:
        if (code == STN_CLICKED) lblver_Click();
        break;
    default:
        break;
    }
}

void MainWindow::OnActivate(HWND hwnd, UINT state, HWND, BOOL minimized) {
    focus_.OnActivate(hwnd, state, minimized);
}

void MainWindow::OnSetFocus(HWND, HWND) { focus_.Restore(); }

void MainWindow::OnDestroy(HWND hwnd) { OpenForms::Instance().Remove(hwnd); }

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
}

LRESULT MainWindow::OnGetDefId(HWND hwnd) {
    // No button is the default; Enter clicks the button that has the focus.
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd, focus) && IsPushButton(focus)) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    return 0;
}

void MainWindow::ApplyDpi(UINT dpi) {
    unique_hfont font = CreateUiFont(dpi);
    PlaceControls(Window(), kControls, dpi, font.get());
    font_ = std::move(font);  // the old font goes only after no control uses it
}
