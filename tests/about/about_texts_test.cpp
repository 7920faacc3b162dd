// The texts the About dialog builds when it loads, and its fixed texts, code point by code point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about_texts.hpp"

namespace {

struct LoadCase {
    AppProperties app;
    std::wstring caption;
    std::wstring version;
};

// "ﾊﾞｰｼﾞｮﾝ" is U+FF8A U+FF9E U+FF70 U+FF7C U+FF9E U+FF6E U+FF9D.
const std::wstring kVersionWord = L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D";

const std::vector<LoadCase> kLoadCases = {
    {App, L"Tenmoru\u306E" + kVersionWord + L"\u60C5\u5831", kVersionWord + L" 2.0.0"},
    {{L"Tenmoru", 10, 2, 15}, L"Tenmoru\u306E" + kVersionWord + L"\u60C5\u5831", kVersionWord + L" 10.2.15"},
    {{L"X", 0, 0, 0}, L"X\u306E" + kVersionWord + L"\u60C5\u5831", kVersionWord + L" 0.0.0"},
    {{L"", 1, 100, 9999}, L"\u306E" + kVersionWord + L"\u60C5\u5831", kVersionWord + L" 1.100.9999"},
};

TEST(AboutTextsTest, LoadBuildsCaptionVersionAndTitle) {
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(testing::Message() << c.app.Major << "." << c.app.Minor << "." << c.app.Revision);
        const LoadedAboutTexts texts = BuildAboutTexts(c.app);
        EXPECT_EQ(texts.Caption, c.caption);
        EXPECT_EQ(texts.Version, c.version);
        EXPECT_EQ(texts.Title, std::wstring(c.app.Title));
    }
}

struct FixedText {
    const char* name;
    std::wstring_view actual;
    std::wstring expected;
};

TEST(AboutTextsTest, FixedTextsAreExact) {
    const FixedText texts[] = {
        {"system-information button", kAboutSysInfo, L"\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831(&S)..."},
        {"warning", kAboutDisclaimer, L"\u8B66\u544A: ..."},
        {"OK", kAboutOk, L"OK"},
    };
    for (const FixedText& t : texts) {
        SCOPED_TRACE(t.name);
        EXPECT_EQ(std::wstring(t.actual), t.expected);
    }
    EXPECT_EQ(kAboutDescription.find(L'\n'), std::wstring_view::npos) << "the credit is one line";
}

}  // namespace
