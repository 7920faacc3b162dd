#include "runtime/win32/system_library.hpp"

#include <string>

namespace tenmoru {

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    // The DLL's own folder takes the program's place in the search for the DLLs it loads: where the
    // system cannot limit the search to its folder (Windows 7 without KB2533623), nothing beside
    // the program is found that way either.
    return LoadLibraryExW((path + L'\\' + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace tenmoru
