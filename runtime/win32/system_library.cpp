#include "runtime/win32/system_library.hpp"

#include <string>

namespace tenmoru {

namespace {

constexpr DWORD kSystemFolderOnly = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
bool searchLimited = false;                      // set once, first thing at start

}  // namespace

void LimitDllSearch(BOOL(WINAPI* setDefaultDllDirectories)(DWORD)) noexcept {
    searchLimited = setDefaultDllDirectories != nullptr && setDefaultDllDirectories(kSystemFolderOnly);
    if (!searchLimited) SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
    // The system folder alone, for the DLL and for what it loads.
    if (searchLimited) return LoadLibraryExW(name, nullptr, kSystemFolderOnly);
    // Where the system cannot limit the search (Windows 7 without KB2533623): by the full path, and
    // the DLL's own folder takes the program's place in the search for the DLLs it loads, so that
    // nothing beside the program is found that way either.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    return LoadLibraryExW((path + L'\\' + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace tenmoru
