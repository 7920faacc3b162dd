#pragma once
// DLLs of the system that the program does not import: loaded from the system folder by their full
// path, never by the search order, which a DLL planted beside the program or in the current folder
// could win (the program is often started from a Downloads folder).
#include <windows.h>

namespace tenmoru {

// Loads the named DLL from the system folder, and the DLLs it loads by name from the system folder
// too, never from the program's folder or the current one; null when it is not there. The caller
// keeps it for the program's life.
[[nodiscard]] HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

// Limits the search of every DLL loaded from now on to the system folder with the system's
// SetDefaultDllDirectories (setDefaultDllDirectories; null where the system has none), else takes the
// current folder out of it. Where that limit holds, LoadSystemLibrary asks for the system folder
// alone; elsewhere it names the DLL by its full path.
void LimitDllSearch(BOOL(WINAPI* setDefaultDllDirectories)(DWORD)) noexcept;

// Whether a function type has the calling convention of the Windows API (WINAPI). On x86 a
// function called with another convention than it was built with corrupts the stack; on x64
// there is only one convention, and every type qualifies.
template <class Function>
inline constexpr bool kIsWinapi = false;
template <class Result, class... Arguments>
inline constexpr bool kIsWinapi<Result WINAPI(Arguments...)> = true;

// A function of a loaded DLL as the type it has; null when the DLL or the function is missing.
// Every function looked up is one of the Windows API, so its type must say WINAPI: the 32-bit
// build refuses a type without it.
template <class Function>
[[nodiscard]] Function* Procedure(HMODULE module, const char* name) noexcept {
    static_assert(kIsWinapi<Function>, "a function of a Windows DLL is WINAPI");
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tenmoru
