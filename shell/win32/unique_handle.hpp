#pragma once
// Owners for Win32 handles: each handle is released exactly once, by the object that holds it.
#include <windows.h>

#include <utility>

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

    // For APIs that return a handle through an out parameter; the old one is released first.
    [[nodiscard]] Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid;
};

namespace handle_closers {
inline void DestroyOwnedWindow(HWND h) noexcept { ::DestroyWindow(h); }
inline void CloseGdiObject(HFONT h) noexcept { ::DeleteObject(h); }
inline void CloseBrush(HBRUSH h) noexcept { ::DeleteObject(h); }
inline void CloseKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseIcon(HICON h) noexcept { ::DestroyIcon(h); }
inline void CloseModule(HMODULE h) noexcept { ::FreeLibrary(h); }
}  // namespace handle_closers

using unique_hwnd = unique_any<HWND, handle_closers::DestroyOwnedWindow>;
using unique_hfont = unique_any<HFONT, handle_closers::CloseGdiObject>;
using unique_hbrush = unique_any<HBRUSH, handle_closers::CloseBrush>;
using unique_hkey = unique_any<HKEY, handle_closers::CloseKey>;
// Process and thread handles (and other kernel objects whose "none" value is null).
using unique_handle = unique_any<HANDLE, handle_closers::CloseKernelHandle>;
// Icons made by CreateIcon/CreateIconIndirect or loaded with LR_DEFAULTCOLOR without LR_SHARED.
using unique_hicon = unique_any<HICON, handle_closers::CloseIcon>;
using unique_hmodule = unique_any<HMODULE, handle_closers::CloseModule>;

// The two handles that CreateProcess hands back, both owned.
struct unique_process_information {
    unique_handle process;
    unique_handle thread;
    DWORD processId = 0;
    DWORD threadId = 0;

    // Takes ownership of what CreateProcessW filled in.
    void adopt(const PROCESS_INFORMATION& info) noexcept {
        process.reset(info.hProcess);
        thread.reset(info.hThread);
        processId = info.dwProcessId;
        threadId = info.dwThreadId;
    }
};
