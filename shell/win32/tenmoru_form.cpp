#include "shell/win32/tenmoru_form.hpp"

#include <array>

#include "about/win32/about_form.hpp"
#include "game/guess_loop.hpp"
#include "game/rules.hpp"
#include "resources/resource_ids.h"
#include "runtime/app.hpp"
#include "runtime/win32/open_forms.hpp"
#include "runtime/win32/system_timer.hpp"
#include "runtime/win32/win32_ui.hpp"

namespace tenmoru {

namespace {

using Id = Tenmoru::ControlId;

// In tab order: the start button first, then the labels (which take no focus), then the end button.
// Labels notify their clicks; buttons are plain push buttons (no default button).
constexpr std::array<ControlSpec, 4> kControls{{
    {Id::cmdstat, WC_BUTTONW, L"ちょうせん", BS_PUSHBUTTON | WS_TABSTOP, 0, {840, 600, 1335, 375}},
    {Id::lblhelp, WC_STATICW, L"つかいかた", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, {480, 120, 975, 255}},
    {Id::lblver, WC_STATICW, L"バージョン", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, {1800, 120, 975, 255}},
    {Id::cmdend, WC_BUTTONW, L"おわる", BS_PUSHBUTTON | WS_TABSTOP, 0, {840, 1200, 1335, 375}},
}};

// The system menu's item that opens the About dialog, after a separator: the keyboard's way to the
// version label. Its command is a multiple of 16 below the system's own (0xF000 and up).
constexpr UINT kAboutCommand = 0x0010;
constexpr wchar_t kAboutMenuItem[] = L"バージョン情報(&A)...";

// The standard resizable frame with a taskbar button; the window class is named after the program.
constexpr FormDesign kDesign{.className = App.Title.data(),
                             .caption = App.Title,
                             .style = WS_OVERLAPPEDWINDOW,
                             .exStyle = WS_EX_APPWINDOW,
                             .client = {2955, 1725},
                             .controls = kControls,
                             .iconId = IDI_TENMORU,
                             .defaultButton = 0,
                             .placement = Placement::CentredOn};

}  // namespace

Tenmoru::Tenmoru() noexcept : Form(kDesign), random_(&SystemTimerTicks) {}

void Tenmoru::cmdstat_Click() {
    Win32Ui ui{Window()};
    PlayGame(ui, random_);
}

void Tenmoru::lblhelp_Click() {
    Win32Ui ui{Window()};
    ShowRules(ui);
}

// The About dialog opens beside the window that was active at the click.
void Tenmoru::lblver_Click() { frmAbout2().Open(GetActiveWindow()); }

void Tenmoru::cmdend_Click() { End(); }

void Tenmoru::OnLoad() {
    const HMENU menu = GetSystemMenu(Window(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, kAboutMenuItem);
}

// F1 shows the rules and the system menu's item opens the About dialog, as the two labels do for
// the mouse. While a box is open the window is disabled and neither may start a handler: F1 in a
// box still reaches this window, as WM_HELP goes up to the box's owner.
std::optional<LRESULT> Tenmoru::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_HELP) {
        if (IsWindowEnabled(Window())) lblhelp_Click();
        return TRUE;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == kAboutCommand) {
        if (IsWindowEnabled(Window())) lblver_Click();
        return 0;
    }
    return std::nullopt;
}

void Tenmoru::OnClick(int id) {
    switch (id) {
    case cmdstat:
        cmdstat_Click();
        break;
    case lblhelp:
        lblhelp_Click();
        break;
    case lblver:
        lblver_Click();
        break;
    case cmdend:
        cmdend_Click();
        break;
    default:
        break;
    }
}

}  // namespace tenmoru
