#pragma once
// Every text the game shows, exactly as the player sees it.
// "～" is U+FF5E FULLWIDTH TILDE; the digits are ASCII.
#include <string_view>

namespace tenmoru {

inline constexpr std::wstring_view kPromptGuess = L"数字を入力してください";
inline constexpr std::wstring_view kNotANumber = L"整数を入力してください";
inline constexpr std::wstring_view kOutOfRange = L"入力数値は1\uFF5E10までです";
inline constexpr std::wstring_view kTooLarge = L"大きい";
inline constexpr std::wstring_view kTooSmall = L"小さい";
inline constexpr std::wstring_view kHit = L"あたり";

}  // namespace tenmoru
