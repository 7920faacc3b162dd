#pragma once
// The platform's message font (the one dialogs and message boxes use), at a given DPI; where the
// system stands a fixed-pitch face in for it, a proportional face of the same height instead.
#include <windows.h>

#include "runtime/win32/handles.hpp"

namespace tenmoru {

[[nodiscard]] unique_hfont CreateUiFont(UINT dpi);

}  // namespace tenmoru
