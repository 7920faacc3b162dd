#pragma once
// The registry value reader: opens a key read-only, reads one value into a 1024-byte buffer and
// hands it back as text. String values are decoded from the ANSI code page, 32-bit numbers are
// written in decimal; every other type, and every failure, gives the empty text and false.
#include <cstddef>

#include "about/ansi_code_page.hpp"
#include "about/key_value_reader.hpp"
#include "about/registry.hpp"

// The size of the buffer a value is read into; longer values are not read.
inline constexpr std::size_t kValueBufferSize = 1024;

class RegistryReader final : public KeyValueReader {
public:
    RegistryReader(Registry& registry, const AnsiCodePage& codePage) : registry_(registry), codePage_(codePage) {}

    bool GetKeyValue(RegistryKey KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef,
                     std::wstring& KeyVal) override;

private:
    Registry& registry_;
    const AnsiCodePage& codePage_;
};
