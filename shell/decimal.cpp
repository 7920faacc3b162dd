// Exact decimal to binary conversion, small enough for a program that reads one number at a time:
// a first guess from the leading 19 digits, then big-integer comparisons of the decimal value with
// the midpoints between the guess and its neighbours, stepping to the neighbour until the guess is
// the nearest double. The library's own conversion would do the same at three times the code size.
#include "shell/decimal.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

// A double midpoint has at most 767 significant decimal digits. Beyond 768 digits only "is there
// anything more" can change a comparison with one, so longer inputs keep 768 digits and a final 1.
constexpr std::size_t kMaxDigits = 769;

// Non-negative big integer, 32-bit limbs, least significant first.
class BigInt {
public:
    explicit BigInt(std::uint32_t value) : limbs_{value} {}

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    void MultiplyByPowerOfFive(int exponent) {
        constexpr std::uint32_t kFiveTo13 = 1220703125;
        for (; exponent >= 13; exponent -= 13) MultiplyAdd(kFiveTo13, 0);
        std::uint32_t rest = 1;
        for (; exponent > 0; --exponent) rest *= 5;
        MultiplyAdd(rest, 0);
    }

    void ShiftLeft(int bits) {
        const auto whole = static_cast<std::size_t>(bits / 32);
        const int part = bits % 32;
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - part);
                limb = (limb << part) | carry;
                carry = next;
            }
            if (carry != 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), whole, 0u);
    }

    friend int Compare(BigInt a, BigInt b) {
        a.Trim();
        b.Trim();
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (std::size_t i = a.limbs_.size(); i-- > 0;) {
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

private:
    void Trim() {
        while (limbs_.size() > 1 && limbs_.back() == 0) limbs_.pop_back();
    }

    std::vector<std::uint32_t> limbs_;
};

// The number as significant digits (no leading or trailing zeros) times ten to a power.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

Decimal Split(std::string_view ascii) {
    Decimal d;
    std::size_t i = 0;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) d.negative = ascii[i++] == '-';
    bool fraction = false;
    for (; i < ascii.size() && ascii[i] != 'e' && ascii[i] != 'E'; ++i) {
        if (ascii[i] == '.') {
            fraction = true;
            continue;
        }
        if (d.digits.size() < kMaxDigits && (ascii[i] != '0' || !d.digits.empty())) {
            d.digits.push_back(ascii[i]);
            if (fraction) --d.exponent;
        } else if (d.digits.size() >= kMaxDigits) {
            if (ascii[i] != '0') d.digits.back() = '1';  // sticky: more digits, not all zero
            if (!fraction) ++d.exponent;
        } else if (fraction) {
            --d.exponent;  // a leading zero of the fraction
        }
    }
    if (i < ascii.size()) {  // the exponent, saturated far beyond any double's range
        ++i;
        const bool negative = i < ascii.size() && ascii[i] == '-';
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) ++i;
        long long value = 0;
        for (; i < ascii.size(); ++i) value = std::min(value * 10 + (ascii[i] - '0'), 100'000'000LL);
        d.exponent += negative ? -value : value;
    }
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
        ++d.exponent;
    }
    return d;
}

// Compares digits * 10^exponent with (2m + 1) * 2^(k - 1), the midpoint above m * 2^k, or with
// any odd * 2^j: -1, 0 or 1.
int CompareWithBinary(const Decimal& d, std::uint64_t odd, int twoExponent) {
    BigInt left(0);
    for (const char c : d.digits) left.MultiplyAdd(10, static_cast<std::uint32_t>(c - '0'));
    BigInt right(static_cast<std::uint32_t>(odd >> 32));
    right.MultiplyAdd(1u << 16, 0);
    right.MultiplyAdd(1u << 16, static_cast<std::uint32_t>(odd));
    const int e = static_cast<int>(d.exponent);
    if (e >= 0) left.MultiplyByPowerOfFive(e);
    else right.MultiplyByPowerOfFive(-e);
    // d * 2^e * 5^e  vs  odd * 2^j: what is left of the powers of two is 2^(e - j) on the left.
    const int shift = e - twoExponent;
    if (shift > 0) left.ShiftLeft(shift);
    else right.ShiftLeft(-shift);
    return Compare(left, right);
}

// x = m * 2^k with m a whole number, for x >= 0 finite.
void Decompose(double x, std::uint64_t& m, int& k) {
    constexpr int kMinExponent = -1074;
    if (x == 0) {
        m = 0;
        k = kMinExponent;
        return;
    }
    int e = 0;
    const double fraction = std::frexp(x, &e);  // x = fraction * 2^e, 0.5 <= fraction < 1
    k = std::max(e - 53, kMinExponent);
    m = static_cast<std::uint64_t>(std::ldexp(fraction, e - k));
}

double FirstGuess(const Decimal& d) {
    std::uint64_t leading = 0;
    const std::size_t used = std::min<std::size_t>(d.digits.size(), 19);
    for (std::size_t i = 0; i < used; ++i) leading = leading * 10 + static_cast<std::uint64_t>(d.digits[i] - '0');
    const long long power = d.exponent + static_cast<long long>(d.digits.size() - used);
    const long double guess = static_cast<long double>(leading) * std::pow(10.0L, static_cast<long double>(power));
    return std::min(static_cast<double>(guess), std::numeric_limits<double>::max());
}

}  // namespace

std::wstring DecimalText(std::uint32_t value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

double DecimalToDouble(std::string_view ascii) {
    const Decimal d = Split(ascii);
    const double sign = d.negative ? -1.0 : 1.0;
    const long long magnitude = static_cast<long long>(d.digits.size()) + d.exponent;  // 10^(magnitude-1) <= |x|
    if (d.digits.empty() || magnitude < -330) return sign * 0.0;
    if (magnitude > 310) return sign * std::numeric_limits<double>::infinity();

    double x = FirstGuess(d);
    for (;;) {
        std::uint64_t m = 0;
        int k = 0;
        Decompose(x, m, k);
        // Above the midpoint to the next double up (ties go to the even one): step up.
        const int above = CompareWithBinary(d, 2 * m + 1, k - 1);
        if (above > 0 || (above == 0 && (m & 1) != 0)) {
            if (x == std::numeric_limits<double>::max()) return sign * std::numeric_limits<double>::infinity();
            x = std::nextafter(x, std::numeric_limits<double>::infinity());
            continue;
        }
        if (x == 0) return sign * x;
        // Below the midpoint to the next double down; that midpoint is closer when m is a power of two
        // whose exponent is above the smallest, as the next double down then has half the spacing.
        const bool narrower = m == (std::uint64_t{1} << 52) && k > -1074;
        const int below = narrower ? CompareWithBinary(d, 4 * m - 1, k - 2) : CompareWithBinary(d, 2 * m - 1, k - 1);
        if (below < 0 || (below == 0 && (m & 1) != 0)) {
            x = std::nextafter(x, 0.0);
            continue;
        }
        return sign * x;
    }
}
