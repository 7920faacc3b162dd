#pragma once
// The About dialog's texts: the fixed ones as designed, and those built when the dialog loads.
#include <string>
#include <string_view>

#include "shell/app.hpp"

// "ﾊﾞｰｼﾞｮﾝ" and "ｼｽﾃﾑ" are half-width katakana; parentheses, colon and dots are ASCII.
inline constexpr std::wstring_view kAboutTitleSuffix = L"のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr std::wstring_view kAboutVersionPrefix = L"ﾊﾞｰｼﾞｮﾝ ";
inline constexpr std::wstring_view kAboutDescription = L"開発: Tenmoru 開発チーム";
inline constexpr std::wstring_view kAboutDisclaimer = L"警告: ...";
inline constexpr std::wstring_view kAboutOk = L"OK";
inline constexpr std::wstring_view kAboutSysInfo = L"ｼｽﾃﾑ情報(&S)...";

// What the dialog shows after loading: title bar, version label and title label.
struct LoadedAboutTexts {
    std::wstring Caption;
    std::wstring Version;
    std::wstring Title;
};

// The texts for the given application properties: "<title>のﾊﾞｰｼﾞｮﾝ情報", "ﾊﾞｰｼﾞｮﾝ major.minor.revision"
// in plain decimal, and the title.
LoadedAboutTexts BuildAboutTexts(const AppProperties& app);
