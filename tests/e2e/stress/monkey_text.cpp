#include "stress/monkey_text.hpp"

#include <array>
#include <string_view>

namespace stress {

namespace {

// Pieces that stand for themselves, in every kind of text.
constexpr std::array<std::wstring_view, 24> kCommonPieces{
    L"7", L"2.5", L"10", L"0", L"11", L"-3", L"1e1", L"&H0A", L" 5 ", L"\uFF15",  // numbers; full-width 5
    L"\uFF11\uFF10", L"3abc", L"abc", L"\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D",  // half-width katakana
    L"\u30BD", L"\u8868", L"\u80FD", L"\u5341", L"\u4E88", L"\u30DD",  // ソ 表 能 十 予 ポ: second byte 0x5C
    L"\uFEFF", L"\u3000", L"\\", L"\u00A5"};                             // BOM, ideographic space, backslash, yen
constexpr std::array<std::wstring_view, 3> kEmojiPieces{
    L"\U0001F600", L"\U0001F468\u200D\U0001F469\u200D\U0001F467", L"\U00020B9F"};  // emoji, a joined family, an astral kanji
// Direction marks, overrides and isolates, and right-to-left letters (Hebrew, Arabic).
constexpr std::array<std::wstring_view, 7> kDirectionPieces{L"\u200F", L"\u202E", L"\u2067", L"\u200E",
                                                            L"\u202B", L"\u05D0\u05D1", L"\u0627\u0644"};

template <std::size_t N>
std::wstring_view OneOf(std::mt19937& random, const std::array<std::wstring_view, N>& pieces) {
    return pieces[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

wchar_t RandomUnit(std::mt19937& random, bool surrogates) {
    switch (std::uniform_int_distribution<int>(surrogates ? 0 : 2, 4)(random)) {
    case 0:  // a lone high surrogate
        return static_cast<wchar_t>(std::uniform_int_distribution<int>(0xD800, 0xDBFF)(random));
    case 1:  // a lone low surrogate
        return static_cast<wchar_t>(std::uniform_int_distribution<int>(0xDC00, 0xDFFF)(random));
    case 2:  // a control character, NUL excepted
        return static_cast<wchar_t>(std::uniform_int_distribution<int>(1, 0x1F)(random));
    case 3:  // printable ASCII
        return static_cast<wchar_t>(std::uniform_int_distribution<int>(0x20, 0x7E)(random));
    default:  // anything else of the basic plane below the surrogates, direction marks excepted
        for (;;) {
            const auto unit = static_cast<wchar_t>(std::uniform_int_distribution<int>(0x7F, 0xD7FF)(random));
            if ((unit < 0x200E || unit > 0x206F) && (unit < 0x0590 || unit > 0x08FF)) return unit;
        }
    }
}

}  // namespace

std::wstring RandomText(std::mt19937& random, std::size_t maxUnits, TextKinds kinds) {
    const bool surrogates = kinds != TextKinds::DirectionMarks;
    const bool direction = kinds != TextKinds::SurrogatesAndEmoji;
    std::wstring text;
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, maxUnits)(random);
    while (text.size() < length) {
        std::wstring_view piece;
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
            piece = OneOf(random, kCommonPieces);
            break;
        case 1:
            if (surrogates) piece = OneOf(random, kEmojiPieces);
            break;
        case 2:
            if (direction) piece = OneOf(random, kDirectionPieces);
            break;
        default:
            break;
        }
        if (piece.empty()) {
            text += RandomUnit(random, surrogates);
            continue;
        }
        if (text.size() + piece.size() > length) break;
        text += piece;
    }
    return text;
}

std::wstring RandomGuess(std::mt19937& random) {
    const int number = std::uniform_int_distribution<int>(-1, 12)(random);
    switch (std::uniform_int_distribution<int>(0, 4)(random)) {
    case 0:
        return std::to_wstring(number) + L".5";
    case 1: {  // full-width digits
        std::wstring wide;
        for (const wchar_t digit : std::to_wstring(number)) wide += digit == L'-' ? L'\uFF0D' : static_cast<wchar_t>(digit - L'0' + 0xFF10);
        return wide;
    }
    case 2:
        return L" " + std::to_wstring(number) + L" ";
    default:
        return std::to_wstring(number);
    }
}

}  // namespace stress
