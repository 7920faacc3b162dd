#pragma once
// Functions of newer Windows versions than the oldest the program runs on, looked up once at run
// time; where one is missing, what the program does instead.
#include <windows.h>

namespace tenmoru {

// Stops the dialog manager from scaling a dialog and its controls on a DPI change, for dialogs
// that lay themselves out (Windows 10 1703 and later; earlier systems do not scale dialogs).
void DisableDialogDpiScaling(HWND dialog) noexcept;

}  // namespace tenmoru
