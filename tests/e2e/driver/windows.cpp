#include "driver/windows.hpp"

#include "driver/wait.hpp"

namespace driver {

namespace {

struct EnumState {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectIfOfProcess(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<EnumState*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == state.processId) state.found.push_back(window);
    return TRUE;
}

GUITHREADINFO GuiThreadInfo(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    EnumState state{processId, {}};
    ::EnumWindows(CollectIfOfProcess, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindShownWindow(DWORD processId, std::wstring_view className) {
    for (HWND window : TopLevelWindows(processId)) {
        if (::IsWindowVisible(window) && ClassName(window) == className) return window;
    }
    return nullptr;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring Text(HWND window) {
    // WM_GETTEXT works across processes (the system copies the text), unlike GetWindowText for
    // controls of another process.
    const auto length = static_cast<std::size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

RECT ClientRect(HWND window) {
    RECT rect{};
    ::GetClientRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FocusedWindow(HWND anyWindowOfThread) { return GuiThreadInfo(anyWindowOfThread).hwndFocus; }

HWND ActiveWindow(HWND anyWindowOfThread) { return GuiThreadInfo(anyWindowOfThread).hwndActive; }

bool ThreadAnswers(HWND window) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                 static_cast<UINT>(kReactTimeout.count()), &result) != 0;
}

}  // namespace driver
