#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "shell/decimal.hpp"

namespace {

// The library's conversion, correctly rounded, as the reference. It leaves out-of-range values to
// the caller; those cases are spelled out in the table instead.
double Reference(const std::string& text) {
    double value = 0;
    const std::size_t start = text[0] == '+' ? 1 : 0;
    const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    EXPECT_EQ(result.ec, std::errc()) << text;
    return value;
}

std::uint64_t Bits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

TEST(DecimalTest, HardCasesRoundToTheNearestDouble) {
    const std::string cases[] = {
        "0", "-0", "7", "2.5", ".5", "5.", "1e1", "1E+1", "25e-1", "0.1", "0.3", "3.0000000000000001",
        "2.9999999999999999", "9007199254740993",  // 2^53 + 1: a tie, to even
        "9007199254740995",                        // a tie, to even (up)
        "179769313486231570000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "00000000000000000000",  // DBL_MAX's neighbourhood
        "2.2250738585072011e-308", "2.2250738585072014e-308",  // around the smallest normal
        "4.9406564584124654e-324", "2.4703282292062328e-324",  // the smallest subnormal, just above half of it
        "1.7976931348623157e308", "8.98846567431158e307", "123456789012345678901234567890",
        "0.000000000000000000000000000000000000000000001", "3.00000000000000022204460492503130808472633361816406250000001",
        "3.000000000000000222044604925031308084726333618164062", "1e23", "8.5e-5", "-6.02214076e23",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Bits(DecimalToDouble(text)), Bits(Reference(text)));
    }
}

TEST(DecimalTest, BeyondTheRangeGivesInfinityOrZeroWithTheSign) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1.7976931348623159e308", kInf},  // past the midpoint above the largest double
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"2.4703282292062327e-324", 0.0},  // just below half the smallest subnormal
        {"1e99999999999999999999", kInf},
        {"0e99999999999999999999", 0.0},
        {"1" + std::string(400, '0'), kInf},
        {"0." + std::string(500, '0') + "1", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_EQ(Bits(DecimalToDouble(c.text)), Bits(c.expected));
    }
}

TEST(DecimalTest, LongDigitStringsKeepTheirLastNonZeroDigit) {
    // Exactly halfway between 1 and its successor, then a 1 far beyond the 768th digit: rounds up.
    const std::string half = "1.00000000000000011102230246251565404236316680908203125";
    EXPECT_EQ(DecimalToDouble(half), 1.0);
    const std::string justAbove = half + std::string(2000, '0') + "1";
    EXPECT_EQ(DecimalToDouble(justAbove), std::nextafter(1.0, 2.0));
    EXPECT_EQ(DecimalToDouble(std::string(5000, '0') + "7" + std::string(3000, '0') + "e-3000"), 7.0);
}

TEST(DecimalTest, AgreesWithTheLibraryOnRandomNumbers) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> digitCount(1, 40);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-340, 320);
    for (int n = 0; n < 3000; ++n) {
        std::string text;
        const int count = digitCount(random);
        for (int i = 0; i < count; ++i) text.push_back(static_cast<char>('0' + digit(random)));
        text.insert(text.begin() + digit(random) % (count + 1), '.');
        text += "e" + std::to_string(exponent(random) - count);
        double expected = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
        if (result.ec != std::errc()) continue;  // out of range: covered above
        SCOPED_TRACE(text);
        ASSERT_EQ(Bits(DecimalToDouble(text)), Bits(expected));
    }
}

}  // namespace
