#include "runtime/win32/system_library.hpp"

#include <string>

namespace tenmoru {

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    return LoadLibraryW((path + L'\\' + name).c_str());
}

}  // namespace tenmoru
