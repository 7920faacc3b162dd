#include "about/win32/picture_box.hpp"

#include "about/win32/about_layout.hpp"

namespace {

// The icon lives in the window's extra bytes; the box only borrows it.
constexpr int kIconSlot = 0;

HICON IconOf(HWND box) { return reinterpret_cast<HICON>(GetWindowLongPtrW(box, kIconSlot)); }

void Paint(HWND box) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(box, &paint);
    if (const HICON icon = IconOf(box); icon != nullptr) {
        const int size = PictureIconSize(WindowDpi(box));
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    }
    if (GetFocus() == box) {
        RECT client{};
        GetClientRect(box, &client);
        DrawFocusRect(dc, &client);
    }
    EndPaint(box, &paint);
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
    case WM_GETDLGCODE:
        // No keys of its own: the dialog keeps Tab, Enter, Esc, the arrows and the access keys.
        return 0;
    default:
        return DefWindowProcW(box, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, kPictureBoxClass, &windowClass)) {
        return true;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &PictureBoxProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPictureBoxClass;
    return RegisterClassExW(&windowClass) != 0;
}
