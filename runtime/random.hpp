#pragma once
// The random-number generator: reals in [0, 1), reseeded from a clock at the start of every game.
#include <cstdint>

namespace tenmoru {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds the generator from the clock, mixed with its previous state.
    virtual void Randomize() = 0;
    // The next value r of the generator, 0 <= r < 1.
    virtual float Next() = 0;
};

// Reads a fast-moving clock: any tick count that differs from one game to the next.
using TickSource = std::uint64_t (*)();

class ClockRandom final : public RandomSource {
public:
    explicit ClockRandom(TickSource ticks) : ticks_(ticks) {}

    void Randomize() override;
    float Next() override;

private:
    TickSource ticks_;
    std::uint64_t state_ = 0x9E3779B97F4A7C15u;
};

// splitmix64's mixing of 64 bits: every bit of the result depends on every bit of z.
constexpr std::uint64_t MixBits(std::uint64_t z) noexcept {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// The floor of a real as a 16-bit signed integer, saturated at the type's limits.
std::int16_t Int(double value);

}  // namespace tenmoru
