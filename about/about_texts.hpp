#pragma once
// The About dialog's texts that are built when it loads: the title bar, the version line and the
// title label.
#include <string>
#include <string_view>

#include "runtime/app.hpp"

namespace tenmoru {

// "ﾊﾞｰｼﾞｮﾝ" is half-width katakana.
inline constexpr std::wstring_view kAboutTitleSuffix = L"のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr std::wstring_view kAboutVersionPrefix = L"ﾊﾞｰｼﾞｮﾝ ";
inline constexpr std::wstring_view kAboutIconNameSuffix = L"のアイコン";

struct LoadedAboutTexts {
    std::wstring Caption;
    std::wstring Version;
    std::wstring Title;
    std::wstring IconName;
};

// "<title>のﾊﾞｰｼﾞｮﾝ情報", "ﾊﾞｰｼﾞｮﾝ major.minor.revision" in plain decimal, the title, and the name of
// the dialog's picture, "<title>のアイコン".
LoadedAboutTexts BuildAboutTexts(const AppProperties& app);

}  // namespace tenmoru
