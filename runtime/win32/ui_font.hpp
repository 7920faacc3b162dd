#pragma once
// The platform's message font (the one dialogs and message boxes use), at a given DPI; where the
// system stands a fixed-pitch face in for it, a proportional face of the same height instead.
#include <windows.h>

#include "runtime/win32/handles.hpp"

namespace tenmoru {

[[nodiscard]] unique_hfont CreateUiFont(UINT dpi);

// The DPI that designed twips are laid out at in a window shown at the DPI: the DPI times the
// text factor, by which the player has made text larger (the message font's height over its
// default, 9 points, never below 1), so that captions stay whole and the design keeps its
// proportions. At the default text size, the DPI itself.
[[nodiscard]] UINT TextScaledDpi(UINT dpi) noexcept;

}  // namespace tenmoru
