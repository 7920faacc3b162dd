// The portable tick source, in a file of its own so that a program with its own clock does not
// link the library's clocks.
#include <chrono>

#include "shell/random.hpp"

std::uint64_t StandardClockTicks() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(steady) ^ (static_cast<std::uint64_t>(wall) << 17);
}
