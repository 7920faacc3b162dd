#pragma once
// The input box: a modal dialog with a prompt, a one-line text field, OK (the default button) and
// Cancel. Esc and the close button mean Cancel.
#include <windows.h>

#include <string>
#include <string_view>

namespace tenmoru {

// Control identifiers of the box; OK and Cancel are IDOK and IDCANCEL.
inline constexpr int kInputPromptId = 1001;
inline constexpr int kInputFieldId = 1002;

// Shows the box, owned by owner and centred on it, until the player closes it.
// Returns the field's text on OK and the empty text on Cancel.
std::wstring RunInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText);

}  // namespace tenmoru
