// Reading what the player typed: IsNumeric and Val together.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "runtime/number.hpp"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberCase {
    std::wstring text;
    bool numeric;
    double value;
};

// clang-format off
const NumberCase kNumberCases[] = {
    {L"7", true, 7}, {L"+7", true, 7}, {L"-7", true, -7}, {L".5", true, 0.5}, {L"5.", true, 5},
    {L"-.5", true, -0.5}, {L"25e-1", true, 2.5}, {L"1E+1", true, 10}, {L" \t7\t ", true, 7}, {L"0.1", true, 0.1},
    {L"10.00000000000000001", true, 10}, {L"1e400", true, kInf}, {L"-1e400", true, -kInf}, {L"1e-400", true, 0},
    {L"1" + std::wstring(400, L'0'), true, kInf}, {L"\u00A07", false, 0}, {L"\u0667", false, 0}, {L"\uFF5E3", false, 0},
    // Full-width digits, sign, point and ideographic space, as a Japanese input method types them.
    {L"\uFF10\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19", true, 123456789},
    {L"\uFF0D\uFF12\uFF0E\uFF15", true, -2.5}, {L"\uFF0B\uFF11e\uFF12", true, 100}, {L"\u3000\uFF17\u3000", true, 7},
    // Not one whole number: Val reads the number at the start, if any.
    {L"", false, 0}, {L"  ", false, 0}, {L"abc", false, 0}, {L"3abc", false, 3}, {L"3 4", false, 3},
    {L"1.2.3", false, 1.2}, {L"3e", false, 3}, {L"3e+", false, 3}, {L"0x10", false, 0}, {L"&H10", false, 0},
    {L"1,000", false, 1}, {L"+", false, 0}, {L".", false, 0}, {L"e5", false, 0}, {L"--1", false, 0},
    {L"- 1", false, 0}, {L"7\r\n", false, 7}, {std::wstring(L"7\0" L"1", 3), false, 7}};
// clang-format on

TEST(NumberTest, IsNumericAndVal) {
    for (const NumberCase& c : kNumberCases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(tenmoru::IsNumeric(c.text), c.numeric);
        EXPECT_EQ(tenmoru::Val(c.text), c.value);
    }
}

}  // namespace
