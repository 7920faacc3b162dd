#pragma once
// Functions of Windows versions newer than Windows 7 SP1, the oldest the program starts on, looked
// up once at run time, with what the program does where one is missing. On Windows 10 1703 and
// later every one of them is there and used.
#include <windows.h>

namespace tenmoru {

// WM_GETDPISCALEDSIZE: Windows 10 1703 and later ask a window for its size at a new DPI.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The DPI the window is shown at: the window's own (Windows 10 1607), else its monitor's (Windows
// 8.1), else the system's.
[[nodiscard]] UINT WindowDpi(HWND window) noexcept;

// The DPI of a monitor (Windows 8.1), else the system's.
[[nodiscard]] UINT MonitorDpi(HMONITOR monitor) noexcept;

// The outer size of a window without menu whose client area has the given size at the DPI; before
// Windows 10 1607 the frame is measured at the system's DPI.
[[nodiscard]] SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) noexcept;

// The system's message font for the DPI (before Windows 10 1607: the font at the system's DPI,
// its height scaled to the DPI). False when the system does not tell.
bool MessageFont(LOGFONTW& font, UINT dpi) noexcept;

// The system time, to the tick of the clock where the system tells it (Windows 8).
[[nodiscard]] FILETIME PreciseSystemTime() noexcept;

// Whether the system sends WM_DPICHANGED (Windows 8.1) and WM_GETDPISCALEDSIZE (Windows 10 1703):
// a window answers them only then.
[[nodiscard]] bool SystemChangesWindowDpi() noexcept;
[[nodiscard]] bool SystemAsksForDpiScaledSize() noexcept;

// Whether the system scales a window's frame (title bar, borders) with the DPI of its monitor only
// when the window asks at WM_NCCREATE (EnableNonClientDpiScaling): where the program runs
// per-monitor v1 (Windows 10 1607). Per-monitor v2 (Windows 10 1703) scales every frame by itself;
// earlier systems never scale a frame.
[[nodiscard]] bool FrameScalesOnRequest() noexcept;

// Asks for that, where the system wants it. Called at WM_NCCREATE, for every top-level window.
void ScaleFrameWithDpi(HWND window) noexcept;

// Stops the dialog manager from scaling a dialog and its controls on a DPI change, for dialogs
// that lay themselves out (Windows 10 1703; earlier systems do not scale dialogs).
void DisableDialogDpiScaling(HWND dialog) noexcept;

// Limits the search for every DLL loaded from now on to the system folder (Windows 8, and 7 with
// its update KB2533623), else takes the current folder out of it: what the system loads later
// never comes from the program's folder, where a download may lie beside it. Called first at start.
void RestrictDllSearchToSystemFolder() noexcept;

}  // namespace tenmoru
