#pragma once
// The system's timer as a tick count that differs from one game to the next: the generator's seed.
#include <cstdint>

namespace tenmoru {

std::uint64_t SystemTimerTicks() noexcept;

}  // namespace tenmoru
