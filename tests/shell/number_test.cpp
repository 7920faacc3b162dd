#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "shell/number.hpp"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct NumberCase {
    std::wstring text;
    bool numeric;
    double value;
};

std::string Describe(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text.substr(0, 40)) {
        if (c >= 0x20 && c < 0x7F) out.push_back(static_cast<char>(c));
        else out += "\\u" + std::to_string(static_cast<unsigned>(c));
    }
    return text.size() > 40 ? out + "...(" + std::to_string(text.size()) + " chars)" : out;
}

const NumberCase kCases[] = {
    // Plain numbers, signs, fractions, exponents, surrounding spaces.
    {L"7", true, 7},
    {L"  7  ", true, 7},
    {L"\t7\t", true, 7},
    {L"+7", true, 7},
    {L"-7", true, -7},
    {L"007", true, 7},
    {L"2.5", true, 2.5},
    {L".5", true, 0.5},
    {L"5.", true, 5},
    {L"-.5", true, -0.5},
    {L"1e1", true, 10},
    {L"1E+1", true, 10},
    {L"25e-1", true, 2.5},
    // Out of a double's range: no failure, infinity or zero.
    {L"1e400", true, kInf},
    {L"-1e400", true, -kInf},
    {L"1e-400", true, 0},
    {L"1" + std::wstring(400, L'0'), true, kInf},
    {L"0." + std::wstring(500, L'0') + L"1", true, 0},
    {std::wstring(100000, L'0') + L"7", true, 7},
    // Not a whole number: Val reads what stands at the start.
    {L"", false, 0},
    {L"   ", false, 0},
    {L"abc", false, 0},
    {L"3abc", false, 3},
    {L"3 4", false, 3},
    {L"1.2.3", false, 1.2},
    {L"1,000", false, 1},
    {L"3e", false, 3},
    {L"3e+", false, 3},
    {L"3e5x", false, 3e5},
    {L"+", false, 0},
    {L"-", false, 0},
    {L".", false, 0},
    {L"e5", false, 0},
    {L"--1", false, 0},
    {L"- 1", false, 0},
    {L"0x10", false, 0},
    {L"&H10", false, 0},
    {std::wstring(L"7\0", 2), false, 7},
    {std::wstring(L"\0" L"7", 2), false, 0},
    {L"7\r\n", false, 7},
    {L"\u00BD", false, 0},  // a vulgar fraction is no number
    {L"\u0667", false, 0},  // nor is an Arabic-Indic digit
    // Full-width forms from a Japanese IME fold to ASCII.
    {L"\uFF17", true, 7},
    {L"\uFF11\uFF10", true, 10},
    {L"\uFF0D\uFF13", true, -3},
    {L"\uFF0B\uFF13", true, 3},
    {L"\uFF12\uFF0E\uFF15", true, 2.5},
    {L"\u3000\uFF17\u3000", true, 7},
    {L"\uFF11e\uFF12", true, 100},
    {L"\uFF13abc", false, 3},
    {L"\uFF5E", false, 0},  // the full-width tilde is not a sign
};

TEST(NumberTest, IsNumericAndValAgreeOnEveryForm) {
    for (const NumberCase& c : kCases) {
        SCOPED_TRACE(Describe(c.text));
        EXPECT_EQ(IsNumeric(c.text), c.numeric);
        EXPECT_EQ(Val(c.text), c.value);
    }
}

TEST(NumberTest, FoldedTextReadsLikeItsAsciiForm) {
    const std::wstring fullWidth = L"\uFF10\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19";
    EXPECT_TRUE(IsNumeric(fullWidth));
    EXPECT_EQ(Val(fullWidth), Val(L"0123456789"));
}

}  // namespace
