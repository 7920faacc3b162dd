#pragma once
// The display resolution that programs started from now on see (Wine reads it per process, at
// start, from HKCU\Control Panel\Desktop\LogPixels). The old value is put back when the owner goes.
#include <windows.h>

#include <optional>

namespace driver {

class ScopedLogPixels {
public:
    explicit ScopedLogPixels(DWORD dotsPerInch);
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;
    ~ScopedLogPixels();

private:
    std::optional<DWORD> previous_;
};

}  // namespace driver
