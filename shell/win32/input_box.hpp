#pragma once
// The input box: a modal dialog with a prompt, a one-line text field, OK (the default button) and
// Cancel. Esc and the close button mean Cancel.
#include <windows.h>

#include <string>
#include <string_view>

// Where the input box's controls stand, in client pixels, for a prompt whose wrapped text is
// promptTextHeight pixels high at the DPI. The prompt grows downwards; the text field follows it.
struct InputBoxLayout {
    RECT prompt;
    RECT edit;
    RECT ok;
    RECT cancel;
    SIZE client;
};
[[nodiscard]] InputBoxLayout LayoutInputBox(int promptTextHeight, UINT dpi) noexcept;

// The width in pixels that the prompt's text is wrapped to at the DPI.
[[nodiscard]] int InputBoxPromptWidth(UINT dpi) noexcept;

// Shows the box (owned by owner, centred on it) until the player closes it.
// Returns the field's text on OK and the empty text on Cancel.
std::wstring RunInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title,
                         std::wstring_view defaultText);
