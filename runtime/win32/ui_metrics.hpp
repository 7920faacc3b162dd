#pragma once
// What a window's layout takes from the system for the DPI it is shown at, read once for each
// layout: the message font (the one dialogs and message boxes use) and, from its height, the DPI
// that designed twips are laid out at.
#include <windows.h>

#include "runtime/win32/handles.hpp"

namespace tenmoru {

struct UiMetrics {
    UINT dpi;  // the window's
    // The DPI that twips are laid out at: the DPI times the text factor, by which the player has made
    // text larger (the message font's height over its default, 9 points, never below 1), so that
    // captions stay whole and the design keeps its proportions. At the default text size, the DPI.
    UINT layoutDpi;
    LOGFONTW messageFont;  // at the DPI
};

[[nodiscard]] UiMetrics UiMetricsFor(UINT dpi);

// The message font; where the system stands a fixed-pitch face in for its face, a proportional face
// of the same height.
[[nodiscard]] unique_hfont CreateUiFont(const UiMetrics& metrics);

}  // namespace tenmoru
