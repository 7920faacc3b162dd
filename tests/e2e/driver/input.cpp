#include "driver/input.hpp"

#include <vector>

#include "driver/wait.hpp"
#include "driver/windows.hpp"

namespace driver {

namespace {

INPUT KeyInput(WORD virtualKey, wchar_t unicode, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = unicode;
    input.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0u) | (up ? KEYEVENTF_KEYUP : 0u);
    return input;
}

// A mouse event that carries its own position (absolute, 0..65535 over the primary screen), so it
// cannot land where the pointer was before.
INPUT MouseInput(DWORD flags, POINT at) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(at.x, 65535, width - 1);
    input.mi.dy = ::MulDiv(at.y, 65535, height - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool BringToForeground(HWND topLevel) {
    // Wine's X11 driver can hand the activation back to the window that had it a moment after the
    // switch. The window counts as foreground once its thread has handled the activation and no
    // change of the foreground followed within a short while.
    constexpr auto kSettleTime = 100ms;
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (::GetForegroundWindow() != topLevel) ::SetForegroundWindow(topLevel);
        if (!WaitUntil([&] { return ::GetForegroundWindow() == topLevel; }, 3s)) continue;
        if (!ThreadAnswers(topLevel)) return false;
        if (!WaitUntil([&] { return ::GetForegroundWindow() != topLevel; }, kSettleTime)) return true;
    }
    return false;
}

void PressKey(WORD virtualKey, Modifier modifier) {
    const WORD held = modifier == Modifier::Shift ? VK_SHIFT
                      : modifier == Modifier::Alt     ? VK_MENU
                      : modifier == Modifier::Control ? VK_CONTROL
                                                      : 0;
    std::vector<INPUT> inputs;
    if (held) inputs.push_back(KeyInput(held, 0, false));
    inputs.push_back(KeyInput(virtualKey, 0, false));
    inputs.push_back(KeyInput(virtualKey, 0, true));
    if (held) inputs.push_back(KeyInput(held, 0, true));
    Send(std::move(inputs));
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        inputs.push_back(KeyInput(0, c, false));
        inputs.push_back(KeyInput(0, c, true));
    }
    Send(std::move(inputs));
}

void ClickAt(HWND window, double fractionX, double fractionY) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const POINT at{rect.left + static_cast<LONG>((rect.right - rect.left) * fractionX),
                   rect.top + static_cast<LONG>((rect.bottom - rect.top) * fractionY)};
    Send({MouseInput(0, at), MouseInput(MOUSEEVENTF_LEFTDOWN, at), MouseInput(MOUSEEVENTF_LEFTUP, at)});
}

}  // namespace driver
