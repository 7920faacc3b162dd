#include "bench/win32/tenmoru_session.hpp"

#include "resources/resource_ids.h"

namespace bench {

namespace {
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 5000;

bool IsPushButton(HWND control) {
    DWORD_PTR code = 0;
    if (!SendMessageTimeoutW(control, WM_GETDLGCODE, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &code)) return false;
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}
}  // namespace

std::optional<TenmoruSession> TenmoruSession::Open(const std::wstring& exe, std::wstring& failure) {
    std::optional<LaunchedProgram> program = LaunchedProgram::Start(exe);
    if (!program) {
        failure = L"cannot start " + exe;
        return std::nullopt;
    }
    const HWND window = program->WaitForMainWindow(TENMORU_MAIN_CLASS, kStartTimeoutMs);
    if (window == nullptr) {
        failure = L"the main window was not shown";
        return std::nullopt;
    }
    WaitForInputIdle(program->Process(), kStartTimeoutMs);
    return TenmoruSession{std::move(*program), window};
}

TenmoruSession::~TenmoruSession() {
    if (mainWindow_ != nullptr) program_.Close(mainWindow_, kCloseTimeoutMs);
}

HWND TenmoruSession::WaitForWindow(const WindowTest& test, DWORD timeoutMs) const {
    return WaitForShownWindow(program_.Process(), program_.Id(), test, timeoutMs);
}

bool TenmoruSession::WaitUntilClosedAndIdle(HWND window, DWORD timeoutMs) const {
    return WaitUntil([&] { return !IsWindow(window) && IsWindowEnabled(mainWindow_); }, timeoutMs);
}

void Click(HWND control) {
    if (IsPushButton(control)) {
        PostMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    const LPARAM middle = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

void PressDialogButton(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

bool SetControlText(HWND control, std::wstring_view text) {
    const std::wstring terminated{text};
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

}  // namespace bench
