#include "driver/display_dpi.hpp"

#include <stdexcept>

#include "driver/owned.hpp"

namespace driver {

namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kLogPixels = L"LogPixels";

OwnedKey OpenDesktopKey() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open HKCU\\Control Panel\\Desktop");
    return OwnedKey(key);
}

void WriteLogPixels(HKEY key, DWORD value) {
    ::RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                     sizeof value);
}

std::optional<DWORD> ReadLogPixels(HKEY key) {
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (::RegQueryValueExW(key, kLogPixels, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                           &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        return value;
    return std::nullopt;
}

}  // namespace

std::optional<DWORD> LogPixels() { return ReadLogPixels(OpenDesktopKey().get()); }

ScopedLogPixels::ScopedLogPixels(DWORD dotsPerInch) {
    const OwnedKey key = OpenDesktopKey();
    previous_ = ReadLogPixels(key.get());
    WriteLogPixels(key.get(), dotsPerInch);
}

ScopedLogPixels::~ScopedLogPixels() {
    try {
        const OwnedKey key = OpenDesktopKey();
        if (previous_)
            WriteLogPixels(key.get(), *previous_);
        else
            ::RegDeleteValueW(key.get(), kLogPixels);
    } catch (...) {
        // Nothing to put back into a key that cannot be opened.
    }
}

}  // namespace driver
