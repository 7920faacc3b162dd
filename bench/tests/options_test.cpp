#include "bench/options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bench {
namespace {

struct AcceptedCase {
    std::string name;
    std::vector<std::wstring_view> arguments;
    std::size_t rounds, warmup, clicks, guesses;
    std::wstring program, yardstick;
};

TEST(BenchOptions, ReadsEveryOption) {
    const AcceptedCase cases[] = {
        {"defaults", {}, 25, 2, 25, 1000, L"", L""},
        {"counts", {L"--rounds", L"40", L"--warmup", L"0", L"--clicks", L"5", L"--guesses", L"300"}, 40, 0, 5, 300,
         L"", L""},
        {"smallest counts allowed", {L"--rounds", L"20", L"--guesses", L"200", L"--clicks", L"1"}, 20, 2, 1, 200,
         L"", L""},
        {"paths", {L"--program", L"C:\\a b\\T.exe", L"--yardstick", L"Z:\\m.exe"}, 25, 2, 25, 1000,
         L"C:\\a b\\T.exe", L"Z:\\m.exe"},
        {"the last of a repeated option counts", {L"--rounds", L"30", L"--rounds", L"21"}, 21, 2, 25, 1000, L"",
         L""},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseOptions(c.arguments);
        ASSERT_TRUE(std::holds_alternative<Options>(parsed));
        const Options& options = std::get<Options>(parsed);
        EXPECT_EQ(options.rounds, c.rounds);
        EXPECT_EQ(options.warmup, c.warmup);
        EXPECT_EQ(options.clicks, c.clicks);
        EXPECT_EQ(options.guesses, c.guesses);
        EXPECT_EQ(options.program, c.program);
        EXPECT_EQ(options.yardstick, c.yardstick);
    }
}

struct RejectedCase {
    std::string name;
    std::vector<std::wstring_view> arguments;
    std::wstring mentions;
};

TEST(BenchOptions, RejectsWhatCannotBeMeasuredWell) {
    const RejectedCase cases[] = {
        {"too few rounds for a median", {L"--rounds", L"19"}, L"at least 20"},
        {"too few guesses for two hundreds", {L"--guesses", L"199"}, L"at least 200"},
        {"no clicks", {L"--clicks", L"0"}, L"at least 1"},
        {"not a number", {L"--rounds", L"twenty"}, L"whole number"},
        {"negative", {L"--rounds", L"-25"}, L"whole number"},
        {"empty count", {L"--rounds", L""}, L"whole number"},
        {"absurdly large", {L"--guesses", L"99999999999"}, L"whole number"},
        {"missing value", {L"--rounds"}, L"missing value"},
        {"empty path", {L"--program", L""}, L"needs a path"},
        {"unknown option", {L"--speed", L"9"}, L"unknown option --speed"},
    };
    for (const RejectedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseOptions(c.arguments);
        ASSERT_TRUE(std::holds_alternative<OptionsError>(parsed));
        EXPECT_NE(std::get<OptionsError>(parsed).message.find(c.mentions), std::wstring::npos);
    }
}

}  // namespace
}  // namespace bench
