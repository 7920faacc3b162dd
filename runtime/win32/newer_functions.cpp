#include "runtime/win32/newer_functions.hpp"

namespace tenmoru {

namespace {

// The function name in the system DLL, or null where this Windows lacks it.
template <class Function>
Function* Lookup(const wchar_t* dll, const char* name) noexcept {
    const HMODULE module = GetModuleHandleW(dll);
    return module != nullptr ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                             : nullptr;
}

// DIALOG_DPI_CHANGE_BEHAVIORS: DDC_DISABLE_ALL.
constexpr int kDialogDpiChangeDisableAll = 1;
using SetDialogDpiChangeBehaviorFunction = BOOL WINAPI(HWND, int, int);

}  // namespace

void DisableDialogDpiScaling(HWND dialog) noexcept {
    static auto* const setBehavior =
        Lookup<SetDialogDpiChangeBehaviorFunction>(L"user32.dll", "SetDialogDpiChangeBehavior");
    if (setBehavior != nullptr) setBehavior(dialog, kDialogDpiChangeDisableAll, kDialogDpiChangeDisableAll);
}

}  // namespace tenmoru
