#pragma once
// The order of the two programs within one paired round. Rounds alternate which program starts
// first, so that a slow drift of the machine (caches warming, other work starting or ending) weighs
// on both programs alike.
#include <array>
#include <cstddef>

namespace bench {

enum class Contender { Measured, Yardstick };

// Round 0: measured program, then yardstick; round 1: yardstick, then measured program; and so on.
[[nodiscard]] constexpr std::array<Contender, 2> RoundOrder(std::size_t round) noexcept {
    if (round % 2 == 0) return {Contender::Measured, Contender::Yardstick};
    return {Contender::Yardstick, Contender::Measured};
}

}  // namespace bench
