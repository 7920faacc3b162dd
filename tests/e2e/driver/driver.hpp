#pragma once
// The end-to-end driver of the tests and the benchmark: starts a program, reads back what a player
// sees of its windows and boxes, and gives real input (SendInput, to the foreground window).
#include <windows.h>
#include <oleacc.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/win32/handles.hpp"

namespace e2e {

using namespace std::chrono_literals;
// How long a window has to react: 10 s, or TENMORU_REACT_SECONDS (an emulated program is slower).
std::chrono::milliseconds ReactTimeout();

// Looks every step until the condition holds or the timeout passes; whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = ReactTimeout(),
               std::chrono::milliseconds step = 10ms);
void Require(bool condition, const char* what);  // throws std::runtime_error unless it holds
std::filesystem::path OwnFolder();

// A change of the machine made for one test, undone when the guard goes, however the test ends.
using Restore = tenmoru::unique_scope_exit<std::function<void()>>;
// Sets a registry value (its type and bytes; data null: removes it) in the process's own view of the
// registry, or with view KEY_WOW64_64KEY in the 64-bit one; the guard writes back what was there.
[[nodiscard]] Restore SetRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                                       DWORD bytes, REGSAM view = 0);
// The same for a REG_SZ value below HKEY_LOCAL_MACHINE (an empty text: a value with no data at all; nullopt: none).
[[nodiscard]] Restore SetMachineText(std::wstring_view key, const wchar_t* name,
                                     const std::optional<std::wstring>& text, REGSAM view = 0);

// Copies a file for one test; the copy goes when the guard goes.
[[nodiscard]] Restore CopyForTest(const std::filesystem::path& from, const std::filesystem::path& to);
// Starts a program, from its own folder as its current one.
tenmoru::unique_process_information Start(const std::filesystem::path& exe);
// The system-information tool's stand-in (marker.exe) records its start beside the driver, for every program started
// from now on: "command line\ncurrent folder" within the timeout, or nullopt; the record goes when read.
void RecordToolStarts();
std::optional<std::wstring> ToolStarted(std::chrono::milliseconds timeout);

// The top-level windows of a process, shown or not, of one class if given.
std::vector<HWND> Windows(DWORD processId, std::wstring_view className = {});
HWND FindShownWindow(DWORD processId, std::wstring_view className);
std::wstring ClassName(HWND window);
std::wstring Text(HWND window);
HWND FocusedWindow(HWND anyWindowOfThread);
// The name and role a screen reader announces; where Wine's oleacc says "client" for a button or a
// label, the class and style Windows derives push button or static text from stand in.
std::pair<std::wstring, LONG> Announced(HWND window);
bool ThreadAnswers(HWND window);

bool BringToForeground(HWND topLevel);
void PressKey(WORD virtualKey, WORD heldKey = 0);
void TypeText(std::wstring_view text);
void ClickAt(HWND window, double fractionX = 0.5, double fractionY = 0.5);  // never a double click

// The screen's pixels under a window, row by row (0x00BBGGRR), once Wine has copied it there.
std::vector<COLORREF> Capture(HWND window);

// A modal box: the input box or a message box, both dialogs of class "#32770".
struct Box {
    HWND window = nullptr;
    bool input = false;
    std::wstring title, text;  // text: the message, or the input box's prompt
};

// The program the tests start: Tenmoru.exe beside the driver, or the one TENMORU_SHIPPED_EXE names (the
// 32-bit program as it ships, started by a 64-bit driver).
std::filesystem::path TenmoruExe();

// A running Tenmoru.exe (or the benchmark's yardstick; exe relative to the driver's folder, or a full path), ended
// when the session goes. Throws std::runtime_error when the program does not do what a step expects.
class Session {
public:
    explicit Session(const std::filesystem::path& exe = TenmoruExe(), std::wstring_view mainClass = L"Tenmoru");
    ~Session();

    [[nodiscard]] HWND Main() const noexcept { return main_; }
    [[nodiscard]] HWND Control(int id) const noexcept { return ::GetDlgItem(main_, id); }
    [[nodiscard]] DWORD ProcessId() const noexcept { return processId_; }
    [[nodiscard]] HANDLE Process() const noexcept { return process_.get(); }
    [[nodiscard]] bool Ended(std::chrono::milliseconds timeout) const;

    [[nodiscard]] std::optional<Box> ShownBox() const;
    [[nodiscard]] std::optional<Box> WaitForBox() const;
    // The next box, or nullopt once the program waits in its windows with no box open.
    [[nodiscard]] std::optional<Box> NextBoxOrIdle() const;
    [[nodiscard]] Box StartGame() const;  // a click on the start button; the game's first input box
    // Types the answer and closes the box with a key (Enter: OK, Esc: Cancel); closes a box. Each
    // returns what comes next.
    std::optional<Box> Answer(const Box& inputBox, std::wstring_view answer, WORD key = VK_RETURN) const;
    std::optional<Box> Close(HWND box, WORD key = VK_RETURN) const;
    HWND OpenAbout() const;  // a click on the version label; the About dialog, or nullptr

private:
    tenmoru::unique_handle process_;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

}  // namespace e2e
