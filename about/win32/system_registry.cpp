#include "about/win32/system_registry.hpp"

#include <windows.h>

#include <algorithm>

#include "runtime/win32/handles.hpp"

namespace tenmoru {

namespace {

HKEY AsHandle(RegistryKey key) noexcept { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegistryStatus SystemRegistry::OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                                       RegistryKey& key) {
    unique_hkey opened;
    const LSTATUS status = RegOpenKeyExA(AsHandle(root), subKey.c_str(), 0, access, opened.put());
    if (status == ERROR_SUCCESS) {
        // The reader owns the key from here and hands it back to CloseKey.
        key = reinterpret_cast<RegistryKey>(opened.release());
    }
    return status;
}

RegistryStatus SystemRegistry::QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                          std::span<std::byte> data, std::uint32_t& size) {
    DWORD storedType = 0;
    // Never more than the buffer really holds, whatever size the caller claims.
    DWORD storedSize = static_cast<DWORD>(std::min<std::size_t>(size, data.size()));
    const LSTATUS status = RegQueryValueExA(AsHandle(key), valueName.c_str(), nullptr, &storedType,
                                            reinterpret_cast<BYTE*>(data.data()), &storedSize);
    type = storedType;
    size = storedSize;
    return status;
}

void SystemRegistry::CloseKey(RegistryKey key) {
    // Taking ownership closes the key; 0 (no key opened) closes nothing.
    unique_hkey closing(AsHandle(key));
}

}  // namespace tenmoru
