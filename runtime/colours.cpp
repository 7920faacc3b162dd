#include "runtime/colours.hpp"

#include <algorithm>
#include <array>

namespace tenmoru {

namespace {

// y^2.4 as y^2 times the fifth root of y^2, the root found by Newton's method: exact enough for
// a table built while compiling, so the program carries no pow.
constexpr double PowerTwoPointFour(double y) {
    const double square = y * y;
    double root = 1.0;
    for (int step = 0; step < 64; ++step) {
        root -= (root * root * root * root * root - square) / (5 * root * root * root * root);
    }
    return square * root;
}

// An sRGB channel's value, 0 to 255, as linear light.
constexpr std::array<double, 256> kLinear = [] {
    std::array<double, 256> linear{};
    for (std::size_t value = 0; value < linear.size(); ++value) {
        const double c = static_cast<double>(value) / 255.0;
        linear[value] = c <= 0.04045 ? c / 12.92 : PowerTwoPointFour((c + 0.055) / 1.055);
    }
    return linear;
}();

// The relative luminance of a colour.
double Luminance(Colour colour) noexcept {
    return 0.2126 * kLinear[colour & 0xFF] + 0.7152 * kLinear[(colour >> 8) & 0xFF] +
           0.0722 * kLinear[(colour >> 16) & 0xFF];
}

}  // namespace

double ContrastRatio(Colour a, Colour b) noexcept {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour LabelTextColour(Colour designed, bool highContrast, Colour face, Colour systemText) noexcept {
    constexpr double kReadable = 4.5;
    return !highContrast && ContrastRatio(designed, face) >= kReadable ? designed : systemText;
}

}  // namespace tenmoru
