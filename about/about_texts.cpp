#include "about/about_texts.hpp"

#include "shell/decimal.hpp"

LoadedAboutTexts BuildAboutTexts(const AppProperties& app) {
    LoadedAboutTexts texts;
    texts.Caption = std::wstring(app.Title) + std::wstring(kAboutTitleSuffix);
    // Version numbers are never negative.
    texts.Version = std::wstring(kAboutVersionPrefix) + DecimalText(static_cast<std::uint32_t>(app.Major)) + L"." +
                    DecimalText(static_cast<std::uint32_t>(app.Minor)) + L"." +
                    DecimalText(static_cast<std::uint32_t>(app.Revision));
    texts.Title = std::wstring(app.Title);
    return texts;
}
