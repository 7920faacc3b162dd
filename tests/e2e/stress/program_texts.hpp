#pragma once
// The messages Tenmoru may show, written out here independently of the program's own tables.
#include <array>
#include <string_view>

#include "game/texts.hpp"

namespace stress {

// "現時点ではｼｽﾃﾑ情報を使用できません", "ｼｽﾃﾑ" in half-width katakana.
inline constexpr std::wstring_view kUnavailable =
    L"\u73FE\u6642\u70B9\u3067\u306F\uFF7C\uFF7D\uFF83\uFF91\u60C5\u5831\u3092\u4F7F\u7528\u3067\u304D\u307E\u305B\u3093";

// The game's five answers and the launcher's message; the rules message is checked apart.
inline constexpr std::array<std::wstring_view, 6> kShortMessages{kNotANumber, kOutOfRange, kTooLarge,
                                                                 kTooSmall,   kHit,        kUnavailable};

}  // namespace stress
