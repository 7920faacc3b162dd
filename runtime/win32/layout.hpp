#pragma once
// Windows laid out as data: each form is a constant table of its controls with their rectangles in
// twips (1440 to the inch), turned into pixels for the DPI the window is shown at.
#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string_view>
#include <vector>

namespace tenmoru {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct TwipsSize {
    int width;
    int height;
};

// One child control of a form.
struct ControlSpec {
    int id;
    const wchar_t* className;  // WC_BUTTON, WC_STATIC, WC_EDIT, ...
    std::wstring_view text;    // a literal, so it ends in a zero
    DWORD style;               // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle;
    TwipsRect rect;
};

// Twips to pixels at a DPI, rounded to the nearest pixel (halves away from zero).
[[nodiscard]] int TwipsToPixels(int twips, UINT dpi) noexcept;

// Position and size in pixels: the size is scaled on its own, so every control of the same size
// in twips gets the same size in pixels wherever it stands.
[[nodiscard]] RECT PixelRect(const TwipsRect& rect, UINT dpi) noexcept;

// The table's rectangles in pixels at the DPI, one for each control.
[[nodiscard]] std::vector<RECT> PixelRects(std::span<const ControlSpec> controls, UINT dpi);

// Puts each control of the table at its rectangle (places[i] for controls[i], in pixels) and gives it
// the font. A control not made yet is made there, with the font, in table order (which is the tab
// order), so that it is laid out once. False when one could not be made.
bool PlaceControls(HWND parent, std::span<const ControlSpec> controls, std::span<const RECT> places, HFONT font);

// The monitor a window placed relative to anchor opens on: the anchor's, else the primary one.
[[nodiscard]] HMONITOR MonitorFor(HWND anchor) noexcept;

// Where a window of the size goes on the work area of the monitor (MonitorFor(anchor), which the
// caller has at hand): centred on the anchor, or beside it (right of it, else left of it, top edges
// level; centred on the work area when neither side has room). Without a visible anchor it is
// centred on the work area; it always stays inside the work area.
enum class Placement { CentredOn, Beside };
[[nodiscard]] RECT PlaceOnWorkArea(SIZE size, HMONITOR monitor, HWND anchor, Placement placement) noexcept;

}  // namespace tenmoru
