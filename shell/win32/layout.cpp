#include "shell/win32/layout.hpp"

namespace {
constexpr int kTwipsPerInch = 1440;
}

int TwipsToPixels(int twips, UINT dpi) noexcept {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

RECT PixelRect(const TwipsRect& rect, UINT dpi) noexcept {
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return RECT{left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

SIZE PixelSize(const TwipsSize& size, UINT dpi) noexcept {
    return SIZE{TwipsToPixels(size.width, dpi), TwipsToPixels(size.height, dpi)};
}

SIZE WindowSizeForClient(const TwipsSize& client, DWORD style, DWORD exStyle, UINT dpi) noexcept {
    const SIZE pixels = PixelSize(client, dpi);
    RECT frame{0, 0, pixels.cx, pixels.cy};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

bool CreateControls(HWND parent, std::span<const ControlSpec> controls) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlSpec& control : controls) {
        // The text of a table entry is a literal and so ends in a zero.
        const HWND child = CreateWindowExW(control.exStyle, control.className, control.text.data(),
                                           WS_CHILD | WS_VISIBLE | control.style, 0, 0, 0, 0, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                           instance, nullptr);
        if (child == nullptr) return false;
    }
    return true;
}

void PlaceControls(HWND parent, std::span<const ControlSpec> controls, UINT dpi, HFONT font) {
    for (const ControlSpec& control : controls) {
        const HWND child = GetDlgItem(parent, control.id);
        if (child == nullptr) continue;
        const RECT r = PixelRect(control.rect, dpi);
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

UINT WindowDpi(HWND window) noexcept {
    const UINT dpi = GetDpiForWindow(window);
    return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}
