#include "runtime/win32/system_timer.hpp"

#include <windows.h>

#include "runtime/win32/newer_functions.hpp"

namespace tenmoru {

// The performance counter mixed with the precise system time.
std::uint64_t SystemTimerTicks() noexcept {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    const FILETIME now = PreciseSystemTime();
    const std::uint64_t time = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::uint64_t>(counter.QuadPart) ^ (time << 17);
}

}  // namespace tenmoru
