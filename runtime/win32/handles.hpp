#pragma once
// Owners for Win32 handles and paired calls: each handle is released exactly once, by the object
// that holds it, and each paired call (GetDC, BeginPaint, SelectObject) is undone on every way out.
#include <windows.h>

#include <utility>

namespace tenmoru {

// Holds one handle of type Handle and releases it with Closer when the owner goes away.
// Invalid is the value that means "no handle" (nullptr for most, INVALID_HANDLE_VALUE for files).
template <class Handle, auto Closer, Handle Invalid = Handle{}>
class unique_any {
public:
    unique_any() noexcept = default;
    explicit unique_any(Handle handle) noexcept : handle_(handle) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }

    // Releases the held handle, if any, and takes the new one.
    void reset(Handle handle = Invalid) noexcept {
        if (handle_ != Invalid) Closer(handle_);
        handle_ = handle;
    }

    // Gives up ownership without releasing.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Invalid); }

    // For functions that return a handle through an out parameter; the old one is released first.
    [[nodiscard]] Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid;
};

namespace closers {
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) noexcept { ::DeleteDC(h); }
inline void CloseKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void DestroyIconHandle(HICON h) noexcept { ::DestroyIcon(h); }
inline void UnhookWindowsHook(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
}  // namespace closers

using unique_hfont = unique_any<HFONT, closers::DeleteGdiObject>;
using unique_hbitmap = unique_any<HBITMAP, closers::DeleteGdiObject>;
using unique_memory_dc = unique_any<HDC, closers::DeleteMemoryDc>;
using unique_hkey = unique_any<HKEY, closers::CloseKey>;
// Process and thread handles (and other kernel objects whose "none" value is null).
using unique_handle = unique_any<HANDLE, closers::CloseKernelHandle>;
// Icons loaded without LR_SHARED.
using unique_hicon = unique_any<HICON, closers::DestroyIconHandle>;
using unique_hhook = unique_any<HHOOK, closers::UnhookWindowsHook>;

// The two handles that CreateProcess hands back, both owned.
struct unique_process_information {
    unique_handle process;
    unique_handle thread;
    DWORD processId = 0;

    explicit unique_process_information(const PROCESS_INFORMATION& info) noexcept
        : process(info.hProcess), thread(info.hThread), processId(info.dwProcessId) {}
};

// Runs its function when it goes: the undo of a change, done on every way out of a scope, a
// failed check or an exception included. Moved, the undo goes with it.
template <class Undo>
class unique_scope_exit {
public:
    explicit unique_scope_exit(Undo undo) noexcept : undo_(std::move(undo)) {}
    unique_scope_exit(const unique_scope_exit&) = delete;
    unique_scope_exit& operator=(const unique_scope_exit&) = delete;
    unique_scope_exit(unique_scope_exit&& other) noexcept
        : undo_(std::move(other.undo_)), armed_(std::exchange(other.armed_, false)) {}
    ~unique_scope_exit() {
        if (armed_) undo_();
    }

private:
    Undo undo_;
    bool armed_ = true;
};

// A window's device context from GetDC, given back with ReleaseDC.
class unique_window_dc {
public:
    explicit unique_window_dc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    unique_window_dc(const unique_window_dc&) = delete;
    unique_window_dc& operator=(const unique_window_dc&) = delete;
    ~unique_window_dc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around the painting of one WM_PAINT.
class unique_paint {
public:
    explicit unique_paint(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    unique_paint(const unique_paint&) = delete;
    unique_paint& operator=(const unique_paint&) = delete;
    ~unique_paint() { ::EndPaint(window_, &paint_); }
    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a device context, and the one it replaced selected back at the end.
class unique_select_object {
public:
    unique_select_object(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    unique_select_object(const unique_select_object&) = delete;
    unique_select_object& operator=(const unique_select_object&) = delete;
    ~unique_select_object() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tenmoru
