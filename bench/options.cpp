#include "bench/options.hpp"

#include <optional>

namespace bench {

namespace {

// A whole decimal count, digits only.
std::optional<std::size_t> ParseCount(std::wstring_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::size_t value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<std::size_t>(c - L'0');
    }
    return value;
}

struct CountOption {
    std::wstring_view name;
    std::size_t Options::*field;
    std::size_t minimum;
};

constexpr CountOption kCountOptions[] = {
    {L"--rounds", &Options::rounds, kMinimumRounds},
    {L"--warmup", &Options::warmup, 0},
    {L"--clicks", &Options::clicks, 1},
    {L"--guesses", &Options::guesses, kMinimumGuesses},
};

struct PathOption {
    std::wstring_view name;
    std::wstring Options::*field;
};

constexpr PathOption kPathOptions[] = {
    {L"--program", &Options::program},
    {L"--yardstick", &Options::yardstick},
};

}  // namespace

std::variant<Options, OptionsError> ParseOptions(std::span<const std::wstring_view> arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring_view name = arguments[i];
        if (i + 1 >= arguments.size()) return OptionsError{L"missing value after " + std::wstring{name}};
        const std::wstring_view value = arguments[++i];
        bool known = false;
        for (const CountOption& option : kCountOptions) {
            if (option.name != name) continue;
            known = true;
            const std::optional<std::size_t> count = ParseCount(value);
            if (!count) return OptionsError{std::wstring{name} + L" needs a whole number"};
            if (*count < option.minimum) {
                return OptionsError{std::wstring{name} + L" must be at least " + std::to_wstring(option.minimum)};
            }
            options.*option.field = *count;
        }
        for (const PathOption& option : kPathOptions) {
            if (option.name != name) continue;
            known = true;
            if (value.empty()) return OptionsError{std::wstring{name} + L" needs a path"};
            options.*option.field = std::wstring{value};
        }
        if (!known) return OptionsError{L"unknown option " + std::wstring{name}};
    }
    return options;
}

std::wstring_view Usage() noexcept {
    return L"usage: bench_driver.exe [--rounds N>=20] [--warmup N] [--clicks N] [--guesses N>=200]\n"
           L"                        [--program PATH] [--yardstick PATH]\n";
}

}  // namespace bench
