#pragma once
// A control that shows a picture, made known to screen readers as a graphic named by the control's
// window text (Microsoft Active Accessibility).
#include <windows.h>

namespace tenmoru {

// The answer to WM_GETOBJECT for such a control: for its client area the system's standard
// accessible object with the role of a graphic; every other object as the system gives it.
LRESULT AnswerGetObjectAsGraphic(HWND control, WPARAM flags, LPARAM objectId) noexcept;

}  // namespace tenmoru
