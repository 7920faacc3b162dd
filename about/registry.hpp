#pragma once
// The three registry operations the value reader needs, reached through an interface so that the
// reader runs against the real registry on Windows and against a scripted fake in unit tests.
// Names and string data cross this interface as narrow text in the system's ANSI code page.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tenmoru {

// A registry key handle as a plain number; 0 means that no key is open.
using RegistryKey = std::uintptr_t;

// The return code of a registry call; only kRegistrySuccess counts as success.
using RegistryStatus = std::int32_t;
inline constexpr RegistryStatus kRegistrySuccess = 0;

// The predefined root HKEY_LOCAL_MACHINE: the 32-bit value 0x80000002, sign-extended to the
// width of a handle as the system headers define it.
inline constexpr RegistryKey kHKeyLocalMachine =
    static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000002u)));

// Read access to a key's values and nothing more, so that a standard user can open the key.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
// Added to the access: the key in the registry's 64-bit view, which a 32-bit program on 64-bit
// Windows otherwise does not see below HKEY_LOCAL_MACHINE\SOFTWARE (KEY_WOW64_64KEY).
inline constexpr std::uint32_t kKeyWow64View64 = 0x0100;

// Value types the reader converts.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

class Registry {
public:
    virtual ~Registry() = default;

    // Opens subKey below root with the given access; stores the opened handle in key on success.
    virtual RegistryStatus OpenKey(RegistryKey root, const std::string& subKey, std::uint32_t access,
                                   RegistryKey& key) = 0;

    // Reads the value valueName of key into data. On entry size is the buffer's size; on success
    // it holds the number of bytes stored and type the value's type code.
    virtual RegistryStatus QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                      std::span<std::byte> data, std::uint32_t& size) = 0;

    // Closes key; 0 stands for "no key was opened" and closes nothing.
    virtual void CloseKey(RegistryKey key) = 0;
};

}  // namespace tenmoru
