#pragma once
// Reading back what a player sees of another process's windows.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace driver {

// Every top-level window of the process, shown or hidden, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The first shown top-level window of the process with this class, or nullptr.
HWND FindShownWindow(DWORD processId, std::wstring_view className);

std::wstring ClassName(HWND window);
std::wstring Text(HWND window);

// The client area's size: left and top are 0.
RECT ClientRect(HWND window);
// A child's window rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// The window that has the keyboard focus in the thread owning this window, or nullptr.
HWND FocusedWindow(HWND anyWindowOfThread);
// The active window of the thread owning this window, or nullptr.
HWND ActiveWindow(HWND anyWindowOfThread);

// Sends a no-op message and returns once the window's thread has handled it, i.e. pumps messages
// again; false when it did not within the timeout.
bool ThreadAnswers(HWND window);

}  // namespace driver
