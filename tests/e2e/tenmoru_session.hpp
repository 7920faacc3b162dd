#pragma once
// One running Tenmoru.exe under test, and the boxes it shows, read back as a player sees them.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "driver/process.hpp"

namespace e2e {

// A modal box of the program: the input box or a message box (both dialogs of class "#32770").
struct Box {
    enum class Kind { Input, Message };
    HWND window = nullptr;
    Kind kind = Kind::Message;
    std::wstring title;
    std::wstring text;  // the message, or the input box's prompt
};

class TenmoruSession {
public:
    // Starts <test folder>\Tenmoru.exe and waits until its main window is shown.
    // Throws std::runtime_error when it is not.
    TenmoruSession();

    DWORD ProcessId() const { return process_.Id(); }
    HWND MainWindow() const { return main_; }
    HWND Control(int id) const { return ::GetDlgItem(main_, id); }
    driver::Process& Process() { return process_; }

    // The box shown now, if any.
    std::optional<Box> ShownBox() const;
    // Waits for a box to be shown.
    std::optional<Box> WaitForBox() const;
    // After a box was closed: waits until the program either shows the next box or is back to
    // waiting in its main window with no box (nullopt).
    std::optional<Box> NextBoxOrIdle() const;

    // Makes the main window the foreground window and presses Enter on the focused control.
    void PressEnterInMainWindow() const;
    // Starts a game with Enter on the start button (focused with the mouse-free Tab order) and
    // returns the first input box.
    Box StartGame() const;

    // Types the answer into the input box's field and presses Enter (OK, the default button),
    // then returns what the program does next.
    std::optional<Box> Answer(const Box& inputBox, std::wstring_view answer) const;
    // Closes the input box with Esc (Cancel), then returns what the program does next.
    std::optional<Box> Cancel(const Box& inputBox) const;
    // Closes a message box with Enter (its OK button), then returns what the program does next.
    std::optional<Box> CloseMessage(const Box& messageBox) const;

private:
    void WaitUntilClosed(HWND box) const;

    driver::Process process_;
    HWND main_ = nullptr;
};

// The secret of the game running in the session, found with guesses halfway between two whole
// numbers (5.5, 3.5, ...), which are answered "大きい" or "小さい" and never end the game.
// Returns the next input box (still the same game) and the secret.
struct SecretAndBox {
    int secret;
    Box inputBox;
};
SecretAndBox FindSecret(const TenmoruSession& session, Box inputBox);

// The answer the game gives to an in-range guess against the secret.
std::wstring_view Verdict(double guess, int secret);

}  // namespace e2e
