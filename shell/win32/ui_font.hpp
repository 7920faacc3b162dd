#pragma once
// The platform's message font (the one dialogs and message boxes use), at a given DPI.
#include <windows.h>

#include "shell/win32/unique_handle.hpp"

[[nodiscard]] unique_hfont CreateUiFont(UINT dpi);
