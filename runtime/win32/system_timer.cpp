#include "runtime/win32/system_timer.hpp"

#include <windows.h>

namespace tenmoru {

// The performance counter mixed with the precise system time.
std::uint64_t SystemTimerTicks() noexcept {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::uint64_t time = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::uint64_t>(counter.QuadPart) ^ (time << 17);
}

}  // namespace tenmoru
