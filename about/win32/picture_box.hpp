#pragma once
// A picture box: a child window that shows one icon at its top-left corner and can hold the
// keyboard focus (it draws a focus rectangle then). It wants none of the dialog keys, so Tab,
// Enter and Esc keep working while it has the focus.
#include <windows.h>

namespace tenmoru {

inline constexpr wchar_t kPictureBoxClass[] = L"TenmoruPictureBox";

// Registers the class kPictureBoxClass once per process. The icon is set with STM_SETICON, as on
// a static control; the box does not own it.
bool RegisterPictureBoxClass() noexcept;

// The size of the box's picture at the DPI: 32 pixels at 96 dpi.
[[nodiscard]] int PictureIconSize(UINT dpi) noexcept;

}  // namespace tenmoru
