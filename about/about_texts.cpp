#include "about/about_texts.hpp"

#include "runtime/number.hpp"

namespace tenmoru {

LoadedAboutTexts BuildAboutTexts(const AppProperties& app) {
    // Version numbers are never negative.
    const auto number = [](int value) { return DecimalText(static_cast<std::uint32_t>(value)); };
    return {
        std::wstring(app.Title) + std::wstring(kAboutTitleSuffix),
        std::wstring(kAboutVersionPrefix) + number(app.Major) + L"." + number(app.Minor) + L"." + number(app.Revision),
        std::wstring(app.Title), std::wstring(app.Title) + std::wstring(kAboutIconNameSuffix)};
}

}  // namespace tenmoru
