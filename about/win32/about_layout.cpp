#include "about/win32/about_layout.hpp"

#include <algorithm>

namespace {
// The picture's size in twips: 32 pixels at 96 dpi.
constexpr int kPictureTwips = 480;
}  // namespace

RECT SeparatorPixels(const SeparatorStroke& stroke, UINT dpi) noexcept {
    const int top = TwipsToPixels(stroke.top, dpi);
    const int thickness = std::max(1, TwipsToPixels(stroke.thickness, dpi));
    return RECT{TwipsToPixels(stroke.left, dpi), top, TwipsToPixels(stroke.right, dpi), top + thickness};
}

int PictureIconSize(UINT dpi) noexcept { return TwipsToPixels(kPictureTwips, dpi); }
