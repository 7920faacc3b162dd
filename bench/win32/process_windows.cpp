#include "bench/win32/process_windows.hpp"

#include <array>

#include "resources/resource_ids.h"

namespace bench {

namespace {

constexpr std::wstring_view kDialogClass = L"#32770";

struct Collection {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    const auto* collection = reinterpret_cast<const Collection*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == collection->processId) collection->windows->push_back(window);
    return TRUE;
}

bool IsDialog(HWND window) { return ClassName(window) == kDialogClass; }

BOOL CALLBACK KeepLongestStaticText(HWND child, LPARAM parameter) {
    auto* longest = reinterpret_cast<std::wstring*>(parameter);
    if (ClassName(child) != L"Static") return TRUE;
    std::array<wchar_t, 512> text{};
    const int length = GetWindowTextW(child, text.data(), static_cast<int>(text.size()));
    if (length > 0 && static_cast<std::size_t>(length) > longest->size()) {
        longest->assign(text.data(), static_cast<std::size_t>(length));
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    Collection collection{processId, &windows};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&collection));
    return windows;
}

std::wstring ClassName(HWND window) {
    std::array<wchar_t, 256> name{};
    const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return std::wstring(name.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND FindShownWindow(DWORD processId, const WindowTest& test) {
    for (const HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && test(window)) return window;
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(1);
    }
}

HWND WaitForShownWindow(HANDLE process, DWORD processId, const WindowTest& test, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindShownWindow(processId, test);
            return found != nullptr || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return found;
}

WindowTest HasClass(std::wstring_view className) {
    return [name = std::wstring{className}](HWND window) { return ClassName(window) == name; };
}

bool IsInputBox(HWND window) { return IsDialog(window) && GetDlgItem(window, IDC_INPUT_EDIT) != nullptr; }

bool IsMessageBox(HWND window) { return IsDialog(window) && GetDlgItem(window, IDC_INPUT_EDIT) == nullptr; }

std::wstring MessageText(HWND messageBox) {
    std::wstring longest;
    EnumChildWindows(messageBox, &KeepLongestStaticText, reinterpret_cast<LPARAM>(&longest));
    return longest;
}

}  // namespace bench
