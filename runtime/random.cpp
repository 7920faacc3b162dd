// A small, fast generator: splitmix64 over a 64-bit state. Each value keeps the top 24 bits, so
// it is exact in single precision and the largest value is 1 - 2^-24, never 1.
#include "runtime/random.hpp"

#include <cmath>
#include <limits>

namespace tenmoru {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15u;

}  // namespace

void ClockRandom::Randomize() { state_ = MixBits(state_ ^ MixBits(ticks_() + kGolden)); }

float ClockRandom::Next() {
    state_ += kGolden;
    constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24
    return static_cast<float>(MixBits(state_) >> 40) * kScale;
}

std::int16_t Int(double value) {
    if (std::isnan(value)) return 0;
    const double floored = std::floor(value);
    if (floored <= std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    if (floored >= std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(floored);
}

}  // namespace tenmoru
