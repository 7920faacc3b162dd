#pragma once
// Finding and waiting for the windows of another process. Waits poll every millisecond: the
// benchmark measures how soon a window appears, so the poll interval bounds the error.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

using WindowTest = std::function<bool(HWND)>;

// Every top-level window of the process, shown or hidden, in z-order.
[[nodiscard]] std::vector<HWND> TopLevelWindows(DWORD processId);

[[nodiscard]] std::wstring ClassName(HWND window);

// The first shown top-level window of the process that passes the test, or nullptr.
[[nodiscard]] HWND FindShownWindow(DWORD processId, const WindowTest& test);

// Polls until the condition holds; false when the timeout passed first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Polls for a shown top-level window of the process that passes the test; nullptr when the timeout
// passed or the process ended first.
[[nodiscard]] HWND WaitForShownWindow(HANDLE process, DWORD processId, const WindowTest& test, DWORD timeoutMs);

// Window tests.
[[nodiscard]] WindowTest HasClass(std::wstring_view className);
// The game's input box: a dialog with the input field.
[[nodiscard]] bool IsInputBox(HWND window);
// A message box: a dialog without the input field.
[[nodiscard]] bool IsMessageBox(HWND window);

// The text a message box shows: its longest static text (an icon has none).
[[nodiscard]] std::wstring MessageText(HWND messageBox);

}  // namespace bench
