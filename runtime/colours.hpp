#pragma once
// Colours as the system gives them (0x00BBGGRR), and the rule for text drawn in a fixed colour.
#include <cstdint>

namespace tenmoru {

using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white), as WCAG 2 defines it.
[[nodiscard]] double ContrastRatio(Colour a, Colour b) noexcept;

// The text colour of a label designed in a fixed colour: that colour while high contrast is off and
// it reads well on the face colour (a contrast of at least 4.5 : 1), else the system's text colour.
[[nodiscard]] Colour LabelTextColour(Colour designed, bool highContrast, Colour face, Colour systemText) noexcept;

}  // namespace tenmoru
