#include "about/about_texts.hpp"

LoadedAboutTexts BuildAboutTexts(const AppProperties& app) {
    LoadedAboutTexts texts;
    texts.Caption = std::wstring(app.Title) + std::wstring(kAboutTitleSuffix);
    texts.Version = std::wstring(kAboutVersionPrefix) + std::to_wstring(app.Major) + L"." +
                    std::to_wstring(app.Minor) + L"." + std::to_wstring(app.Revision);
    texts.Title = std::wstring(app.Title);
    return texts;
}
