#include "driver/wait.hpp"

#include <windows.h>

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // A short pause between polls keeps the two shared cores free for the program under test.
        ::Sleep(10);
    }
}

}  // namespace driver
