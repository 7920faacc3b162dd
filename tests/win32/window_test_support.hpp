#pragma once
// Helpers for tests that drive real windows on the test's own thread.
#include <windows.h>

#include <functional>
#include <string>

namespace win32_test {

// The top-level dialog-class window (#32770) of this thread that is enabled and visible:
// the open message box or input box. Null when there is none.
HWND FindOpenBox();

// Runs action once, from inside the modal loop of a box the test is about to open: a thread timer
// fires while the box's own message loop runs, finds the box and hands it to action.
// Gives up (closing the box with IDCANCEL) after about five seconds without a box.
class BoxDriver {
public:
    explicit BoxDriver(std::function<void(HWND box)> action);
    ~BoxDriver();
    BoxDriver(const BoxDriver&) = delete;
    BoxDriver& operator=(const BoxDriver&) = delete;

    [[nodiscard]] bool Ran() const noexcept { return ran_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool ran_ = false;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Removes a WM_QUIT that a closed form posted; true when there was one.
bool TakeQuitMessage();

}  // namespace win32_test
