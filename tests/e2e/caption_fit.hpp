#pragma once
// Whether a control's caption fits the control. The control's font cannot be read from here
// (WM_GETFONT answers 0 across processes under Wine, and a font handle of another process means
// nothing here), so a label's font is found from its pixels: among the platform's message font at
// the program's DPI and every face of its character set at the same height, the one whose ink of
// the caption matches the ink on the screen. The caption is then measured in that font.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct CaptionFit {
    SIZE text{};  // extent of the caption as the control lays it out
    SIZE room{};  // the area the control gives the text
    // Pixels to spare in the tighter direction; negative when the caption is clipped.
    int Margin() const { return std::min(room.cx - text.cx, room.cy - text.cy); }
};

// The fonts a control of the program may draw in at the DPI: the platform's message font first,
// then every upright face of its character set at the same height. The DPI is the one the program
// was started at: asked from here, GetDpiForWindow on its windows answers a stale value under Wine.
std::vector<LOGFONTW> CandidateFonts(UINT dpi);

// The candidate whose ink of the label's caption matches the label's ink on the screen within a
// pixel on every side, the closest if several do; nullopt when none does.
std::optional<LOGFONTW> FontOfLabel(HWND label, const std::vector<LOGFONTW>& candidates);

// Measures a static label (word-wrapped to its width) or a push button (one line, inside its
// edges at the DPI) in the font. nullopt for a control of another kind.
std::optional<CaptionFit> MeasureCaption(HWND control, const LOGFONTW& font, UINT dpi);

// The bounding box of a static label's ink as shown on the screen, in the label's client
// coordinates: every pixel that differs from the label's commonest colour. nullopt when empty.
std::optional<RECT> InkOnScreen(HWND label);
// The same for the label's caption drawn here in the font, the way a static label draws it.
std::optional<RECT> InkDrawnIn(HWND label, const LOGFONTW& font);

// The font's description as a person reads it: face and height in pixels.
std::string DescribeFont(const LOGFONTW& font);

}  // namespace e2e
