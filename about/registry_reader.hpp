#pragma once
// The registry value reader: opens a key read-only, reads one value into a 1024-byte buffer and
// hands it back as text. String values are decoded from the ANSI code page, 32-bit numbers are
// written in decimal; every other type, and every failure, gives the empty text and false.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "about/ansi_code_page.hpp"
#include "about/registry.hpp"

namespace tenmoru {

// The size of the buffer a value is read into; longer values are not read.
inline constexpr std::size_t kValueBufferSize = 1024;

class RegistryReader {
public:
    RegistryReader(Registry& registry, const AnsiCodePage& codePage) : registry_(registry), codePage_(codePage) {}

    // Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal, in the program's own
    // view of the registry or, with view kKeyWow64View64, in the 64-bit one. True when the value
    // was read and converted; false with KeyVal empty otherwise.
    bool GetKeyValue(RegistryKey KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef, std::wstring& KeyVal,
                     std::uint32_t view = 0);

private:
    Registry& registry_;
    const AnsiCodePage& codePage_;
};

}  // namespace tenmoru
