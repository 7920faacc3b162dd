#pragma once
// While a modal box is open, no window of the program may start another handler. A message box
// disables only its owner; this guard disables every other top-level window of the thread for
// the box's lifetime and enables again exactly those it disabled.
#include <windows.h>

#include <vector>

namespace tenmoru {

class ModalGuard {
public:
    // except: the box's owner, which the box itself disables and enables again, so that the
    // activation goes back to it when the box closes. May be null.
    explicit ModalGuard(HWND except);
    ~ModalGuard();
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM guard) noexcept;

    HWND except_;
    std::vector<HWND> disabled_;
};

}  // namespace tenmoru
