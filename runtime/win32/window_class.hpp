#pragma once
// Window classes of the program: registered once per process, on first use.
#include <windows.h>

namespace tenmoru {

// Registers the class with the procedure, an arrow cursor and the dialog face colour as background,
// unless it is registered already. False when it could not be registered.
bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int extraBytes = 0) noexcept;

}  // namespace tenmoru
