#include "tenmoru_session.hpp"

#include <stdexcept>
#include <string>

#include "driver/input.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "game/texts.hpp"
#include "resources/resource_ids.h"

namespace e2e {

namespace {

constexpr std::wstring_view kDialogClass = L"#32770";
// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

Box ReadBox(HWND window) {
    Box box;
    box.window = window;
    box.title = driver::Text(window);
    if (::GetDlgItem(window, IDC_INPUT_EDIT)) {
        box.kind = Box::Kind::Input;
        if (HWND prompt = ::GetDlgItem(window, IDC_INPUT_PROMPT)) box.text = driver::Text(prompt);
    } else {
        box.kind = Box::Kind::Message;
        if (HWND text = ::GetDlgItem(window, kMessageTextId)) box.text = driver::Text(text);
    }
    return box;
}

void Require(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}

}  // namespace

TenmoruSession::TenmoruSession()
    : process_(driver::Process::Start(driver::OwnFolder() / L"Tenmoru.exe")) {
    driver::WaitUntil(
        [&] {
            main_ = driver::FindShownWindow(process_.Id(), TENMORU_MAIN_CLASS);
            return main_ != nullptr || !process_.Running();
        },
        driver::kStartTimeout);
    Require(main_ != nullptr, "Tenmoru's main window was not shown");
    // The window is shown; wait until its thread reads messages, i.e. start-up is over.
    Require(driver::ThreadAnswers(main_), "Tenmoru's main window does not answer");
}

std::optional<Box> TenmoruSession::ShownBox() const {
    HWND box = driver::FindShownWindow(process_.Id(), kDialogClass);
    if (!box) return std::nullopt;
    return ReadBox(box);
}

std::optional<Box> TenmoruSession::WaitForBox() const {
    std::optional<Box> box;
    driver::WaitUntil([&] { return (box = ShownBox()).has_value(); });
    return box;
}

std::optional<Box> TenmoruSession::NextBoxOrIdle() const {
    // Between two boxes the handler runs without reading messages, and the next box exists
    // before the program reads messages again. So once the main thread has answered a message
    // and still no dialog exists, the program is back in its main window with nothing open.
    std::optional<Box> next;
    const bool settled = driver::WaitUntil([&] {
        if ((next = ShownBox())) return true;
        const bool dialogExists = [&] {
            for (HWND w : driver::TopLevelWindows(process_.Id()))
                if (driver::ClassName(w) == kDialogClass) return true;
            return false;
        }();
        return !dialogExists && driver::ThreadAnswers(main_) && !ShownBox() &&
               ::IsWindowEnabled(main_);
    });
    Require(settled, "Tenmoru neither showed a box nor came back to its main window");
    return next;
}

void TenmoruSession::PressEnterInMainWindow() const {
    Require(driver::BringToForeground(main_), "the main window did not become the foreground");
    driver::PressKey(VK_RETURN);
}

Box TenmoruSession::StartGame() const {
    Require(driver::BringToForeground(main_), "the main window did not become the foreground");
    // The start button has the focus while no game has moved it; Tab brings it back otherwise.
    for (int presses = 0; presses < 2 && driver::FocusedWindow(main_) != Control(IDC_CMDSTAT);
         ++presses) {
        driver::PressKey(VK_TAB);
        driver::WaitUntil([&] { return driver::FocusedWindow(main_) == Control(IDC_CMDSTAT); },
                          std::chrono::seconds(2));
    }
    Require(driver::FocusedWindow(main_) == Control(IDC_CMDSTAT), "the start button is not focused");
    driver::PressKey(VK_RETURN);
    auto box = WaitForBox();
    Require(box && box->kind == Box::Kind::Input, "Enter on the start button showed no input box");
    return *box;
}

void TenmoruSession::WaitUntilClosed(HWND box) const {
    Require(driver::WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }),
            "the box did not close");
}

std::optional<Box> TenmoruSession::Answer(const Box& inputBox, std::wstring_view answer) const {
    HWND edit = ::GetDlgItem(inputBox.window, IDC_INPUT_EDIT);
    Require(driver::BringToForeground(inputBox.window), "the input box is not the foreground");
    Require(driver::WaitUntil([&] { return driver::FocusedWindow(inputBox.window) == edit; }),
            "the input box's field has no focus");
    driver::TypeText(answer);
    Require(driver::WaitUntil([&] { return driver::Text(edit) == answer; }),
            "the typed answer did not arrive in the field");
    driver::PressKey(VK_RETURN);
    WaitUntilClosed(inputBox.window);
    return NextBoxOrIdle();
}

std::optional<Box> TenmoruSession::Cancel(const Box& inputBox) const {
    Require(driver::BringToForeground(inputBox.window), "the input box is not the foreground");
    driver::PressKey(VK_ESCAPE);
    WaitUntilClosed(inputBox.window);
    return NextBoxOrIdle();
}

std::optional<Box> TenmoruSession::CloseMessage(const Box& messageBox) const {
    Require(driver::BringToForeground(messageBox.window), "the message box is not the foreground");
    driver::PressKey(VK_RETURN);
    WaitUntilClosed(messageBox.window);
    return NextBoxOrIdle();
}

std::wstring_view Verdict(double guess, int secret) {
    if (guess > secret) return kTooLarge;
    if (guess < secret) return kTooSmall;
    return kHit;
}

SecretAndBox FindSecret(const TenmoruSession& session, Box inputBox) {
    int low = 1;
    int high = 10;
    while (low < high) {
        const int middle = (low + high) / 2;
        const std::wstring guess = std::to_wstring(middle) + L".5";
        const auto message = session.Answer(inputBox, guess);
        Require(message && message->kind == Box::Kind::Message, "a half guess got no message");
        if (message->text == kTooLarge)
            high = middle;
        else if (message->text == kTooSmall)
            low = middle + 1;
        else
            throw std::runtime_error("a half guess got neither 大きい nor 小さい");
        const auto next = session.CloseMessage(*message);
        Require(next && next->kind == Box::Kind::Input, "the game ended after a half guess");
        inputBox = *next;
    }
    return {low, inputBox};
}

}  // namespace e2e
