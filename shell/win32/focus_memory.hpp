#pragma once
// Which control of a form had the focus when the form was last deactivated, so that activating the
// form again (after a message box, or a click on another window) gives it back to that control.
#include <windows.h>

class FocusMemory {
public:
    // Remembers a control as the one to focus; the form's first control at its opening.
    void Set(HWND control) noexcept { control_ = control; }

    // WM_ACTIVATE of the form: remember on deactivation, give the focus back on activation.
    void OnActivate(HWND form, UINT state, BOOL minimized) noexcept {
        if (state == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(form, focus)) control_ = focus;
        } else if (!minimized) {
            Restore();
        }
    }

    // Gives the focus to the remembered control, if it still exists.
    void Restore() const noexcept {
        if (control_ != nullptr && IsWindow(control_)) SetFocus(control_);
    }

private:
    HWND control_ = nullptr;
};
