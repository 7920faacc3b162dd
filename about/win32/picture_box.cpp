#include "about/win32/picture_box.hpp"

#include "runtime/win32/accessible_graphic.hpp"
#include "runtime/win32/handles.hpp"
#include "runtime/win32/layout.hpp"
#include "runtime/win32/window_class.hpp"

namespace tenmoru {

namespace {

constexpr int kPictureTwips = 480;

// The icon lives in the window's extra bytes; the box only borrows it.
constexpr int kIconSlot = 0;

HICON IconOf(HWND box) { return reinterpret_cast<HICON>(GetWindowLongPtrW(box, kIconSlot)); }

void Paint(HWND box) {
    const unique_paint paint(box);
    if (const HICON icon = IconOf(box); icon != nullptr) {
        DrawIconEx(paint.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);  // at the size it was loaded at
    }
    if (GetFocus() == box) {
        RECT client{};
        GetClientRect(box, &client);
        DrawFocusRect(paint.get(), &client);
    }
}

LRESULT CALLBACK PictureBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case STM_SETICON: {
        const LRESULT previous = GetWindowLongPtrW(box, kIconSlot);
        SetWindowLongPtrW(box, kIconSlot, static_cast<LONG_PTR>(wParam));
        InvalidateRect(box, nullptr, TRUE);
        return previous;
    }
    case STM_GETICON:
        return GetWindowLongPtrW(box, kIconSlot);
    case WM_PAINT:
        Paint(box);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(box, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDOWN:
        // A click gives the box the focus, as a click on a picture box does.
        SetFocus(box);
        return 0;
    case WM_GETOBJECT:
        return AnswerGetObjectAsGraphic(box, wParam, lParam);
    case WM_GETDLGCODE:
        // No keys of its own: the dialog keeps Tab, Enter, Esc, the arrows and the access keys.
        return 0;
    default:
        return DefWindowProcW(box, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPictureBoxClass() noexcept {
    return RegisterWindowClass(kPictureBoxClass, &PictureBoxProc, sizeof(LONG_PTR));
}

int PictureIconSize(UINT dpi) noexcept { return TwipsToPixels(kPictureTwips, dpi); }

}  // namespace tenmoru
