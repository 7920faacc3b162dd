#pragma once
// DLLs of the system that the program does not import: loaded from the system folder by their full
// path, never by the search order, which a DLL planted beside the program or in the current folder
// could win (the program is often started from a Downloads folder).
#include <windows.h>

namespace tenmoru {

// Loads the named DLL from the system folder by its full path; null when it is not there. The
// caller keeps it for the program's life.
[[nodiscard]] HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

// A function of a loaded DLL as the type it has; null when the DLL or the function is missing.
template <class Function>
[[nodiscard]] Function* Procedure(HMODULE module, const char* name) noexcept {
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tenmoru
