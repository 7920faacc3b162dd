#include "win32/window_test_support.hpp"

namespace win32_test {
namespace {
BoxDriver* activeDriver = nullptr;
constexpr UINT kTickMs = 50;
constexpr int kGiveUpTicks = 100;

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    if (ClassName(window) == L"#32770" && IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindOpenBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

BoxDriver::BoxDriver(std::function<void(HWND)> action) : action_(std::move(action)) {
    activeDriver = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, &BoxDriver::OnTimer);
}

BoxDriver::~BoxDriver() {
    KillTimer(nullptr, timer_);
    activeDriver = nullptr;
}

void CALLBACK BoxDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    BoxDriver* self = activeDriver;
    if (self == nullptr || self->ran_) return;
    const HWND box = FindOpenBox();
    if (box == nullptr) {
        if (++self->ticks_ > kGiveUpTicks) {
            KillTimer(nullptr, self->timer_);
        }
        return;
    }
    self->ran_ = true;
    KillTimer(nullptr, self->timer_);
    self->action_(box);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool TakeQuitMessage() {
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace win32_test
