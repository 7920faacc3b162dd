#pragma once
// The display resolution that programs started from now on see (Wine reads it per process, at
// start, from HKCU\Control Panel\Desktop\LogPixels). The old value is put back when the owner goes.
// Writing the value from the test process is enough, with no restart of the Wine server: the next
// program started reads it. Read what a program got from its window sizes, not with
// GetDpiForWindow from here, which under Wine can answer the resolution of an earlier program.
#include <windows.h>

#include <optional>

namespace driver {

// The resolution set for programs started from now on, if one is set.
std::optional<DWORD> LogPixels();

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
