#include "runtime/win32/modal_guard.hpp"

namespace tenmoru {

ModalGuard::ModalGuard(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalGuard::DisableOne, reinterpret_cast<LPARAM>(this));
}

ModalGuard::~ModalGuard() {
    for (HWND window : disabled_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
}

BOOL CALLBACK ModalGuard::DisableOne(HWND window, LPARAM guard) noexcept {
    auto* self = reinterpret_cast<ModalGuard*>(guard);
    // Hidden helper windows of the thread (the input method's, for one) are left alone: nobody can
    // click them, and the box's own text field needs them working.
    if (window == self->except_ || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    // Recorded first, disabled after: a window is never left disabled without being on the list.
    self->disabled_.push_back(window);
    EnableWindow(window, FALSE);
    return TRUE;
}

}  // namespace tenmoru
