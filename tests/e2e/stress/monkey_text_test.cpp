// The monkey's texts: each kind holds what it promises and never what it must not, since a text
// mixing surrogates and direction marks brings Wine's edit control down rather than the program.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "stress/monkey_text.hpp"

namespace {

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsDirectional(wchar_t c) {
    return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           (c >= 0x0590 && c <= 0x08FF);
}
bool IsLoneSurrogate(const std::wstring& text, std::size_t i) {
    const wchar_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) return i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF;
    if (c >= 0xDC00 && c <= 0xDFFF) return i == 0 || text[i - 1] < 0xD800 || text[i - 1] > 0xDBFF;
    return false;
}

struct KindCase {
    const char* name;
    stress::TextKinds kinds;
    bool surrogatesAllowed;
    bool directionAllowed;
};

const KindCase kKindCases[] = {
    {"surrogates and emoji", stress::TextKinds::SurrogatesAndEmoji, true, false},
    {"direction marks", stress::TextKinds::DirectionMarks, false, true},
    {"mixed", stress::TextKinds::Mixed, true, true},
};

TEST(MonkeyText, EachKindHoldsItsCharactersAndNoOthers) {
    for (const KindCase& c : kKindCases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(2024);
        bool sawSurrogate = false, sawLone = false, sawDirection = false, sawControl = false, sawBackslashKanji = false;
        for (int round = 0; round < 300; ++round) {
            const std::size_t limit = round % 2 ? 64 : 4096;
            const std::wstring text = stress::RandomText(random, limit, c.kinds);
            ASSERT_LE(text.size(), limit);
            for (std::size_t i = 0; i < text.size(); ++i) {
                const wchar_t unit = text[i];
                ASSERT_NE(unit, L'\0');
                if (IsSurrogate(unit)) {
                    ASSERT_TRUE(c.surrogatesAllowed) << "surrogate " << std::hex << static_cast<unsigned>(unit);
                    sawSurrogate = true;
                    sawLone = sawLone || IsLoneSurrogate(text, i);
                }
                if (IsDirectional(unit)) {
                    ASSERT_TRUE(c.directionAllowed) << "direction character " << std::hex << static_cast<unsigned>(unit);
                    sawDirection = true;
                }
                sawControl = sawControl || unit < 0x20;
                sawBackslashKanji = sawBackslashKanji || unit == L'\u30BD' || unit == L'\u8868';
            }
        }
        EXPECT_EQ(sawSurrogate, c.surrogatesAllowed);
        EXPECT_EQ(sawLone, c.surrogatesAllowed);
        EXPECT_EQ(sawDirection, c.directionAllowed);
        EXPECT_TRUE(sawControl);
        EXPECT_TRUE(sawBackslashKanji);
    }
}

TEST(MonkeyText, GuessesAreShortNumbersInAndAroundTheRange) {
    std::mt19937 random(7);
    bool sawHalf = false, sawFullWidth = false, sawOutside = false;
    for (int round = 0; round < 500; ++round) {
        const std::wstring guess = stress::RandomGuess(random);
        ASSERT_FALSE(guess.empty());
        ASSERT_LE(guess.size(), 6u);
        sawHalf = sawHalf || guess.ends_with(L".5");
        sawFullWidth = sawFullWidth || guess.find_first_of(L"\uFF10\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19") != std::wstring::npos;
        sawOutside = sawOutside || guess == L"0" || guess == L"11" || guess == L"12" || guess == L"-1";
    }
    EXPECT_TRUE(sawHalf);
    EXPECT_TRUE(sawFullWidth);
    EXPECT_TRUE(sawOutside);
}

}  // namespace
