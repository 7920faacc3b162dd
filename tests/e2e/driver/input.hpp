#pragma once
// Real keyboard and mouse input, as a player gives it: through SendInput, which delivers to the
// foreground window's thread, so every function first makes the target's top-level window the
// foreground window and waits until it is.
#include <windows.h>

#include <string_view>

namespace driver {

// Makes the top-level window the foreground window; false when it did not become it in time.
bool BringToForeground(HWND topLevel);

// Presses and releases a key, optionally with Shift, Alt or Ctrl held, in the foreground window.
enum class Modifier { None, Shift, Alt, Control };
void PressKey(WORD virtualKey, Modifier modifier = Modifier::None);

// Types the text character by character as Unicode key strokes (full-width forms included)
// into the control with the focus.
void TypeText(std::wstring_view text);

// A left click on the window (a control or a top-level window) at the given fractions of its
// width and height. Two clicks at one spot in quick succession are a double click; a test that
// clicks a control twice clicks it at two spots further apart than the double-click rectangle.
void ClickAt(HWND window, double fractionX, double fractionY);
inline void ClickCenter(HWND window) { ClickAt(window, 0.5, 0.5); }

}  // namespace driver
