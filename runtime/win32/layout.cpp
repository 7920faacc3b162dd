#include "runtime/win32/layout.hpp"

#include <algorithm>

namespace tenmoru {

namespace {
constexpr int kTwipsPerInch = 1440;
}

int TwipsToPixels(int twips, UINT dpi) noexcept { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

RECT PixelRect(const TwipsRect& rect, UINT dpi) noexcept {
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return RECT{left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

std::vector<RECT> PixelRects(std::span<const ControlSpec> controls, UINT dpi) {
    std::vector<RECT> rects;
    rects.reserve(controls.size());
    for (const ControlSpec& control : controls) rects.push_back(PixelRect(control.rect, dpi));
    return rects;
}

bool PlaceControls(HWND parent, std::span<const ControlSpec> controls, std::span<const RECT> places, HFONT font) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    const bool made = GetWindow(parent, GW_CHILD) != nullptr;  // all of them, or none yet
    for (std::size_t i = 0; i < controls.size() && i < places.size(); ++i) {
        const ControlSpec& control = controls[i];
        const RECT& r = places[i];
        HWND child = made ? GetDlgItem(parent, control.id) : nullptr;
        if (made) {
            SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            child = CreateWindowExW(control.exStyle, control.className, control.text.data(),
                                    WS_CHILD | WS_VISIBLE | control.style, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                    instance, nullptr);
            if (child == nullptr) return false;
        }
        // A new control is drawn for the first time with its font; one that was there is drawn anew.
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), made);
    }
    return true;
}

HMONITOR MonitorFor(HWND anchor) noexcept {
    return anchor != nullptr ? MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                             : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

RECT PlaceOnWorkArea(SIZE size, HMONITOR monitor, HWND anchor, Placement placement) noexcept {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT& work = info.rcWork;
    RECT around = work;
    const bool anchored =
        anchor != nullptr && IsWindowVisible(anchor) && !IsIconic(anchor) && GetWindowRect(anchor, &around);
    LONG x = around.left + ((around.right - around.left) - size.cx) / 2;
    LONG y = around.top + ((around.bottom - around.top) - size.cy) / 2;
    if (anchored && placement == Placement::Beside) {
        y = around.top;
        if (around.right + size.cx <= work.right)
            x = around.right;
        else if (around.left - size.cx >= work.left)
            x = around.left - size.cx;
        else
            x = work.left + ((work.right - work.left) - size.cx) / 2;
    }
    x = std::clamp(x, work.left, std::max(work.left, work.right - size.cx));
    y = std::clamp(y, work.top, std::max(work.top, work.bottom - size.cy));
    return RECT{x, y, x + size.cx, y + size.cy};
}

}  // namespace tenmoru
