#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "fakes/scripted_ui.hpp"
#include "game/rules.hpp"
#include "game/texts.hpp"

namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The texts spelled out by code point, so that a half-width or ASCII look-alike cannot pass.
TEST(RulesTest, FiveExactLinesJoinedByCrLf) {
    const std::vector<std::wstring> expected = {
        L"1\uFF5E10\u307E\u3067\u306E\u6570\u5024\u3092\u30AD\u30FC\u30DC\u30FC\u30C9\u304B\u3089"
        L"\u5165\u529B\u3057\u307E\u3059",
        L"\u6570\u5024\u3092\u5165\u529B\u3057\u305F\u3089\uFF2F\uFF2B\u30DC\u30BF\u30F3\u3092"
        L"\u30AF\u30EA\u30C3\u30AF\u3057\u307E\u3059",
        L"\u5165\u529B\u3057\u305F\u6570\u5024\u306B\u5BFE\u3057\u3066\u5927\u304D\u3044\u304B"
        L"\u5C0F\u3055\u3044\u304B\u306E\u30E1\u30C3\u30BB\u30FC\u30B8\u304C\u3067\u307E\u3059",
        L"\u305D\u306E\u6570\u5024\u306B\u5BFE\u3057\u3066\u518D\u5EA6\u3001\u30AD\u30FC\u30DC"
        L"\u30FC\u30C9\u304B\u3089\u6570\u5B57\u3092\u5165\u529B\u3057\u307E\u3059",
        L"\u300C\u3042\u305F\u308A\u300D\u3068\u51FA\u308B\u307E\u3067\u8003\u3048\u3066\u6570"
        L"\u5024\u3092\u5165\u529B\u3057\u307E\u3057\u3087\u3046",
    };
    const std::wstring message = RulesMessage();
    EXPECT_EQ(SplitLines(message), expected);
    EXPECT_NE(message.back(), L'\n') << "no line break after the last line";
    EXPECT_EQ(message.find(L'\n'), message.find(L"\r\n") + 1) << "every break is CR LF";
}

TEST(RulesTest, ShownInOneMessageBoxEveryTime) {
    ScriptedUi ui;
    ShowRules(ui);
    ShowRules(ui);
    EXPECT_EQ(ui.shown(), (std::vector<std::wstring>{RulesMessage(), RulesMessage()}));
}

TEST(GameTextsTest, SpelledByCodePoint) {
    const struct {
        std::wstring_view text;
        std::wstring_view codePoints;
    } cases[] = {
        {kNotANumber, L"\u6574\u6570\u3092\u5165\u529B\u3057\u3066\u304F\u3060\u3055\u3044"},
        {kOutOfRange, L"\u5165\u529B\u6570\u5024\u306F\u0031\uFF5E\u0031\u0030\u307E\u3067\u3067\u3059"},
        {kTooLarge, L"\u5927\u304D\u3044"},
        {kTooSmall, L"\u5C0F\u3055\u3044"},
        {kHit, L"\u3042\u305F\u308A"},
        {kInputTitle, L"Tenmoru"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.codePoints)));
        EXPECT_EQ(c.text, c.codePoints);
    }
}

}  // namespace
