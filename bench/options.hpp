#pragma once
// The benchmark driver's command line:
//     bench_driver.exe [--rounds N] [--warmup N] [--clicks N] [--guesses N]
//                      [--program PATH] [--yardstick PATH]
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace bench {

struct Options {
    std::size_t rounds = 25;     // paired start-up rounds (each starts both programs once)
    std::size_t warmup = 2;      // paired rounds run first and not counted (caches, the desktop)
    std::size_t clicks = 25;     // start-button clicks, About openings and launcher clicks measured
    std::size_t guesses = 1000;  // guesses of the one long game
    std::wstring program;        // the measured program; empty: Tenmoru.exe beside the driver
    std::wstring yardstick;      // the minimal program; empty: bench_minimal.exe beside the driver
};

inline constexpr std::size_t kMinimumRounds = 20;
// The long game compares its first and last hundred guesses, so it needs at least two hundred.
inline constexpr std::size_t kMinimumGuesses = 200;

struct OptionsError {
    std::wstring message;
};

// Reads the arguments that follow the program name.
[[nodiscard]] std::variant<Options, OptionsError> ParseOptions(std::span<const std::wstring_view> arguments);

[[nodiscard]] std::wstring_view Usage() noexcept;

}  // namespace bench
