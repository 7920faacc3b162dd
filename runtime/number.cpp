// Number reading for the guess input.
//
// Accepted form, after folding the full-width forms a Japanese IME produces
// (digits U+FF10-U+FF19, "＋" U+FF0B, "－" U+FF0D, "．" U+FF0E, ideographic space U+3000)
// to their ASCII counterparts:
//
//     spaces  [sign]  mantissa  [exponent]  spaces
//     spaces   = zero or more of space (U+0020) and tab (U+0009)
//     sign     = "+" | "-"
//     mantissa = digits ["." [digits]] | "." digits
//     exponent = ("e" | "E") [sign] digits
//
// Val reads the longest such number at the start of the text (leading spaces skipped, trailing
// text ignored, an incomplete exponent such as "3e" or "3e+" read as "3") and gives 0 when there
// is none. IsNumeric is true only when the whole text is one such number with optional surrounding
// spaces, so whatever IsNumeric accepts, Val reads whole. The decimal point is always "."; there
// are no thousands separators, whatever the user's locale. A magnitude too large for a double
// reads as infinity and one too small as zero: no text makes either function fail.
#include "runtime/number.hpp"

#include <fast_float.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <string>

namespace tenmoru {

namespace {

constexpr wchar_t Fold(wchar_t c) noexcept {
    if (c >= L'\uFF10' && c <= L'\uFF19') return static_cast<wchar_t>(L'0' + (c - L'\uFF10'));
    switch (c) {
    case L'\uFF0B':
        return L'+';
    case L'\uFF0D':
        return L'-';
    case L'\uFF0E':
        return L'.';
    case L'\u3000':
        return L' ';
    default:
        return c;
    }
}

constexpr bool IsSpace(wchar_t c) noexcept { return c == L' ' || c == L'\t'; }
constexpr bool IsDigit(wchar_t c) noexcept { return c >= L'0' && c <= L'9'; }
constexpr bool IsSign(wchar_t c) noexcept { return c == L'+' || c == L'-'; }

// The number found at the start of a text: where it lies and where the text's content ends.
struct Scan {
    std::size_t numberBegin = 0;  // first character of the sign or mantissa
    std::size_t numberEnd = 0;    // one past the number; equal to numberBegin when there is none
    bool wholeText = false;       // only spaces follow the number
};

class FoldedText {
public:
    explicit FoldedText(std::wstring_view text) noexcept : text_(text) {}
    std::size_t size() const noexcept { return text_.size(); }
    wchar_t operator[](std::size_t i) const noexcept { return i < text_.size() ? Fold(text_[i]) : L'\0'; }

private:
    std::wstring_view text_;
};

std::size_t SkipDigits(const FoldedText& t, std::size_t i) noexcept {
    while (i < t.size() && IsDigit(t[i])) ++i;
    return i;
}

std::size_t SkipSpaces(const FoldedText& t, std::size_t i) noexcept {
    while (i < t.size() && IsSpace(t[i])) ++i;
    return i;
}

Scan ScanNumber(std::wstring_view text) noexcept {
    const FoldedText t(text);
    Scan scan;
    std::size_t i = SkipSpaces(t, 0);
    scan.numberBegin = i;
    scan.numberEnd = i;

    if (IsSign(t[i])) ++i;
    const std::size_t integerEnd = SkipDigits(t, i);
    bool haveDigits = integerEnd > i;
    i = integerEnd;
    if (t[i] == L'.') {
        const std::size_t fractionEnd = SkipDigits(t, i + 1);
        haveDigits = haveDigits || fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!haveDigits) return scan;

    if (t[i] == L'e' || t[i] == L'E') {
        std::size_t e = i + 1;
        if (IsSign(t[e])) ++e;
        const std::size_t exponentEnd = SkipDigits(t, e);
        if (exponentEnd > e) i = exponentEnd;
    }
    scan.numberEnd = i;
    scan.wholeText = SkipSpaces(t, i) == t.size();
    return scan;
}

}  // namespace

double Val(std::wstring_view text) {
    const Scan scan = ScanNumber(text);
    if (scan.numberEnd == scan.numberBegin) return 0.0;

    // The scanned characters are all ASCII after folding, read the same way in every locale. The
    // conversion rounds to the nearest double however many digits there are; a magnitude beyond
    // a double's range gives infinity or zero.
    std::size_t begin = scan.numberBegin;
    const bool negative = Fold(text[begin]) == L'-';
    if (IsSign(Fold(text[begin]))) ++begin;
    std::string ascii;
    ascii.reserve(scan.numberEnd - begin);
    for (std::size_t i = begin; i < scan.numberEnd; ++i) ascii.push_back(static_cast<char>(Fold(text[i])));
    double magnitude = 0.0;
    fast_float::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude);
    return negative ? -magnitude : magnitude;
}

bool IsNumeric(std::wstring_view text) {
    const Scan scan = ScanNumber(text);
    return scan.numberEnd > scan.numberBegin && scan.wholeText;
}

std::wstring DecimalText(std::uint32_t value) {
    std::array<char, 10> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return std::wstring(digits.data(), end);
}

}  // namespace tenmoru
