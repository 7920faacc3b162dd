#pragma once
// The registry reader's three operations on the real Windows registry (advapi32, ANSI names).
#include "about/registry.hpp"

namespace tenmoru {

class SystemRegistry final : public Registry {
public:
    RegistryStatus OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                           RegistryKey& key) override;
    RegistryStatus QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                              std::span<std::byte> data, std::uint32_t& size) override;
    void CloseKey(RegistryKey key) override;
};

}  // namespace tenmoru
