// Fuzzes the number reader: for any text, IsNumeric and Val must not fail, and both must agree
// with a reference reader written separately here, step by step from the documented grammar:
//   1. fold the full-width digits, "＋", "－", "．" and the ideographic space to ASCII;
//   2. skip the leading spaces and tabs;
//   3. run a table-driven automaton over the rest and note the last accepting position;
//   4. IsNumeric holds when that position is followed by nothing but spaces and tabs;
//   5. Val is the std::from_chars value of the accepted prefix (0 when there is none), with an
//      out-of-range result taken as infinity or zero from the number's decimal order.
// So Val is checked exactly in every case, also when IsNumeric is false.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <system_error>

#include "fuzz/fuzz_input.hpp"
#include "shell/number.hpp"

namespace {

// Step 1: one narrow character per code unit. A code unit outside ASCII that does not fold
// becomes 0x80, which no state of the automaton accepts.
std::string FoldToAscii(const std::wstring& text) {
    std::string folded(text.size(), '\x80');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<std::uint32_t>(text[i]);
        if (unit < 0x80) folded[i] = static_cast<char>(unit);
        else if (unit >= 0xFF10 && unit <= 0xFF19) folded[i] = static_cast<char>('0' + (unit - 0xFF10));
        else if (unit == 0xFF0B) folded[i] = '+';
        else if (unit == 0xFF0D) folded[i] = '-';
        else if (unit == 0xFF0E) folded[i] = '.';
        else if (unit == 0x3000) folded[i] = ' ';
    }
    return folded;
}

// Step 3: the automaton of  [sign] (digits ["." [digits]] | "." digits) [("e"|"E") [sign] digits].
enum State : std::uint8_t { kStart, kSigned, kInteger, kPointAfterDigits, kLonePoint, kFraction,
                            kExponentMark, kExponentSign, kExponent, kReject, kStateCount };
enum Class : std::uint8_t { kDigit, kSign, kPoint, kE, kOther, kClassCount };

constexpr std::array<std::array<State, kClassCount>, kStateCount> kNext = {{
    //            digit      sign           point              e              other
    /* Start   */ {kInteger, kSigned,       kLonePoint,        kReject,       kReject},
    /* Signed  */ {kInteger, kReject,       kLonePoint,        kReject,       kReject},
    /* Integer */ {kInteger, kReject,       kPointAfterDigits, kExponentMark, kReject},
    /* Int.    */ {kFraction, kReject,      kReject,           kExponentMark, kReject},
    /* .       */ {kFraction, kReject,      kReject,           kReject,       kReject},
    /* Fraction*/ {kFraction, kReject,      kReject,           kExponentMark, kReject},
    /* e       */ {kExponent, kExponentSign, kReject,          kReject,       kReject},
    /* e+      */ {kExponent, kReject,      kReject,           kReject,       kReject},
    /* Exponent*/ {kExponent, kReject,      kReject,           kReject,       kReject},
    /* Reject  */ {kReject,  kReject,       kReject,           kReject,       kReject},
}};

constexpr bool Accepting(State s) {
    return s == kInteger || s == kPointAfterDigits || s == kFraction || s == kExponent;
}

Class ClassOf(char c) {
    if (c >= '0' && c <= '9') return kDigit;
    if (c == '+' || c == '-') return kSign;
    if (c == '.') return kPoint;
    if (c == 'e' || c == 'E') return kE;
    return kOther;
}

// Length of the longest accepted prefix of text; 0 when no prefix is a number.
std::size_t AcceptedLength(std::string_view text) {
    State state = kStart;
    std::size_t accepted = 0;
    for (std::size_t i = 0; i < text.size() && state != kReject; ++i) {
        state = kNext[state][ClassOf(text[i])];
        if (Accepting(state)) accepted = i + 1;
    }
    return accepted;
}

// The decimal order of a number's first nonzero digit (1 for 12.3, -2 for 0.0123), the exponent
// saturated far beyond any double; used only to tell an overflow from an underflow.
long long DecimalOrder(std::string_view number) {
    long long integerDigits = 0, leadingZeros = 0, exponent = 0;
    bool inFraction = false, seenNonZero = false, exponentNegative = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') { inFraction = true; continue; }
        if (c == 'e' || c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (!inFraction) ++integerDigits;
        if (!seenNonZero && c == '0') ++leadingZeros;
        else seenNonZero = true;
    }
    for (++i; i < number.size(); ++i) {
        if (number[i] == '-') exponentNegative = true;
        else if (number[i] >= '0' && number[i] <= '9') exponent = std::min(exponent * 10 + (number[i] - '0'), 1LL << 40);
    }
    return integerDigits - leadingZeros - 1 + (exponentNegative ? -exponent : exponent);
}

// Step 5: the value of an accepted number.
double ReferenceValue(std::string_view number) {
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = DecimalOrder(number) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else {
        fuzz::Check(error == std::errc() && end == number.data() + number.size(),
                    "the reference conversion reads every accepted character");
    }
    return negative ? -value : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = fuzz::DecodeText({data, size});
    const std::string folded = FoldToAscii(text);

    const std::size_t begin = std::min(folded.find_first_not_of(" \t"), folded.size());
    const std::string_view rest = std::string_view(folded).substr(begin);
    const std::size_t length = AcceptedLength(rest);
    const bool numeric = length > 0 && rest.find_first_not_of(" \t", length) == std::string_view::npos;
    const double value = length > 0 ? ReferenceValue(rest.substr(0, length)) : 0.0;

    const bool isNumeric = IsNumeric(text);
    const double val = Val(text);
    fuzz::Check(isNumeric == numeric, "IsNumeric agrees with the grammar");
    fuzz::Check(!std::isnan(val), "Val is never NaN");
    fuzz::Check(val == value, "Val equals the reference value of the number at the start");
    return 0;
}
