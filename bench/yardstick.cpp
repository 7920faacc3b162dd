// The benchmark's yardstick: the least program that shows the same main window as Tenmoru.exe (window
// class style, frame, title, client size, the four captioned controls in the system's message font,
// the same manifest) and, when its start button is clicked, the same input box and a message box in
// turn until the input box gives the empty text. The driver plays it exactly like Tenmoru, so what
// Tenmoru costs beyond it is Tenmoru's own. No icon, no other handlers.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "game/texts.hpp"
#include "runtime/app.hpp"
#include "runtime/win32/handles.hpp"
#include "runtime/win32/layout.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/ui_font.hpp"
#include "runtime/win32/win32_ui.hpp"

namespace {

constexpr wchar_t kClassName[] = L"TenmoruYardstick";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr tenmoru::TwipsSize kClient{2955, 1725};
constexpr int kStart = 201;

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    tenmoru::TwipsRect rect;
};
constexpr std::array<Control, 4> kControls{{
    {kStart, WC_BUTTONW, L"ちょうせん", BS_PUSHBUTTON | WS_TABSTOP, {840, 600, 1335, 375}},
    {203, WC_STATICW, L"つかいかた", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, {480, 120, 975, 255}},
    {204, WC_STATICW, L"バージョン", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, {1800, 120, 975, 255}},
    {202, WC_BUTTONW, L"おわる", BS_PUSHBUTTON | WS_TABSTOP, {840, 1200, 1335, 375}},
}};

// The same boxes as a game that is never won: each answer gets the same message.
void Play(HWND window) {
    tenmoru::Win32Ui ui{window};
    while (!ui.InputBox(tenmoru::kPromptGuess, tenmoru::App.Title, L"").empty()) ui.MsgBox(tenmoru::kOutOfRange);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case DM_GETDEFID:  // Enter clicks the focused button, as in Tenmoru
        return MAKELRESULT(GetDlgCtrlID(GetFocus()), DC_HASDEFID);
    case WM_COMMAND:
        if (LOWORD(wParam) == kStart && HIWORD(wParam) == BN_CLICKED) Play(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const WNDCLASSEXW windowClass{sizeof windowClass,
                                  0,
                                  &WindowProc,
                                  0,
                                  0,
                                  instance,
                                  nullptr,
                                  LoadCursorW(nullptr, IDC_ARROW),
                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                  nullptr,
                                  kClassName,
                                  nullptr};
    const HWND window =
        RegisterClassExW(&windowClass) == 0
            ? nullptr
            : CreateWindowExW(kExStyle, kClassName, tenmoru::App.Title.data(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;

    const UINT dpi = tenmoru::WindowDpi(window);
    const tenmoru::unique_hfont font = tenmoru::CreateUiFont(dpi);
    for (const Control& c : kControls) {
        const RECT r = tenmoru::PixelRect(c.rect, dpi);
        const HWND control = CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, r.left, r.top,
                                             r.right - r.left, r.bottom - r.top, window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    const SIZE client{tenmoru::TwipsToPixels(kClient.width, dpi), tenmoru::TwipsToPixels(kClient.height, dpi)};
    const SIZE size = tenmoru::WindowSizeForClient(client, kStyle, kExStyle, dpi);
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, showCommand);
    SetFocus(GetDlgItem(window, kStart));

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;  // Tab, and Enter through DM_GETDEFID
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
