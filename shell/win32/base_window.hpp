#pragma once
// The shape every top-level window of the program shares: one C++ object per window, the static
// window procedure finds it through GWLP_USERDATA and forwards each message to its HandleMessage.
#include <windows.h>

// Derived provides:  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// and returns DefWindowProcW(...) for whatever it leaves alone.
template <class Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    // The window may still exist when its owner object goes away (End, or a failed start):
    // it must not call back into a dead object.
    ~BaseWindow() {
        if (hwnd_ != nullptr) {
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            DestroyWindow(hwnd_);
        }
    }

    // The window, or null when it is not (or no longer) created.
    [[nodiscard]] HWND Window() const noexcept { return hwnd_; }

protected:
    // Registers the class on first use (it carries WindowProc) and creates the window.
    bool CreateTopLevel(HINSTANCE instance, const wchar_t* className, const wchar_t* title, DWORD style,
                        DWORD exStyle, HWND owner, HICON bigIcon, HICON smallIcon) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        if (!GetClassInfoExW(instance, className, &windowClass)) {
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = 0;
            windowClass.lpfnWndProc = &BaseWindow::WindowProc;
            windowClass.hInstance = instance;
            windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            windowClass.lpszClassName = className;
            windowClass.hIcon = bigIcon;
            windowClass.hIconSm = smallIcon;
            if (RegisterClassExW(&windowClass) == 0) return false;
        }
        return CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, this) != nullptr;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        BaseWindow* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<BaseWindow*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

        LRESULT result = 0;
#if defined(__cpp_exceptions)
        try {
            result = static_cast<Derived*>(self)->HandleMessage(hwnd, message, wParam, lParam);
        } catch (...) {
            // Nothing may unwind through the system's code; the message counts as handled.
            result = 0;
        }
#else
        result = static_cast<Derived*>(self)->HandleMessage(hwnd, message, wParam, lParam);
#endif
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};
