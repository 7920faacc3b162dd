#pragma once
// One running Tenmoru.exe with its main window shown, driven through window messages: clicks on its
// controls, answers in its input box, OK on its message boxes. Closed when the session ends.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "bench/win32/launched_program.hpp"
#include "bench/win32/process_windows.hpp"

namespace bench {

// How long the program may take to react to one action before the measurement gives up.
inline constexpr DWORD kReactTimeoutMs = 10000;

class TenmoruSession {
public:
    // Starts the program and waits until its main window is shown and waiting for input.
    [[nodiscard]] static std::optional<TenmoruSession> Open(const std::wstring& exe, std::wstring& failure);

    TenmoruSession(TenmoruSession&& other) noexcept
        : program_(std::move(other.program_)), mainWindow_(std::exchange(other.mainWindow_, nullptr)) {}
    TenmoruSession& operator=(TenmoruSession&&) = delete;
    ~TenmoruSession();

    [[nodiscard]] HWND MainWindow() const noexcept { return mainWindow_; }
    [[nodiscard]] DWORD Id() const noexcept { return program_.Id(); }

    // Waits for a shown top-level window of the program that passes the test; nullptr on timeout.
    [[nodiscard]] HWND WaitForWindow(const WindowTest& test, DWORD timeoutMs = kReactTimeoutMs) const;
    // Waits until the window is gone and the main window takes input again (no modal box is open).
    bool WaitUntilClosedAndIdle(HWND window, DWORD timeoutMs = kReactTimeoutMs) const;

private:
    TenmoruSession(LaunchedProgram program, HWND mainWindow) : program_(std::move(program)), mainWindow_(mainWindow) {}

    LaunchedProgram program_;
    HWND mainWindow_ = nullptr;
};

// Clicks the control: a push button through BM_CLICK, any other control (the labels) through a
// left button press and release in its middle, as the mouse would.
void Click(HWND control);

// Presses one of the dialog's buttons (IDOK, IDCANCEL, ...) as a click on it would.
void PressDialogButton(HWND dialog, int buttonId);

// Replaces the text of a control of another process.
bool SetControlText(HWND control, std::wstring_view text);

}  // namespace bench
