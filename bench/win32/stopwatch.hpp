#pragma once
// Elapsed time read from the high-resolution performance counter.
#include <windows.h>

namespace bench {

class Stopwatch {
public:
    Stopwatch() noexcept { Restart(); }

    void Restart() noexcept { QueryPerformanceCounter(&start_); }

    [[nodiscard]] double ElapsedMs() const noexcept {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1000.0 / static_cast<double>(Frequency());
    }

private:
    static LONGLONG Frequency() noexcept {
        static const LONGLONG frequency = [] {
            LARGE_INTEGER value{};
            QueryPerformanceFrequency(&value);
            return value.QuadPart;
        }();
        return frequency;
    }

    LARGE_INTEGER start_{};
};

}  // namespace bench
