#include "about/about_texts.hpp"

namespace {

// Plain decimal without leading zeros or spaces; written by hand because the library's number
// formatting brings a whole printf into a program that only ever writes three small numbers.
std::wstring Decimal(int value) {
    const bool negative = value < 0;
    unsigned magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits.insert(digits.begin(), L'-');
    return digits;
}

}  // namespace

LoadedAboutTexts BuildAboutTexts(const AppProperties& app) {
    LoadedAboutTexts texts;
    texts.Caption = std::wstring(app.Title) + std::wstring(kAboutTitleSuffix);
    texts.Version = std::wstring(kAboutVersionPrefix) + Decimal(app.Major) + L"." + Decimal(app.Minor) + L"." +
                    Decimal(app.Revision);
    texts.Title = std::wstring(app.Title);
    return texts;
}
