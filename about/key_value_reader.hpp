#pragma once
// Reading one registry value as text: what the system-information launcher needs of the reader.
#include <string>
#include <string_view>

#include "about/registry.hpp"

class KeyValueReader {
public:
    virtual ~KeyValueReader() = default;

    // Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal. True when the value
    // was read and converted; false with KeyVal empty otherwise.
    virtual bool GetKeyValue(RegistryKey KeyRoot, std::wstring_view KeyName, std::wstring_view SubKeyRef,
                             std::wstring& KeyVal) = 0;
};
