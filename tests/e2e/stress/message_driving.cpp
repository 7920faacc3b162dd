#include "stress/message_driving.hpp"

#include <stdexcept>
#include <string>

#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "resources/resource_ids.h"

namespace stress {

namespace {

void WaitUntilGone(HWND box) {
    Require(driver::WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }), "the box did not close");
}

}  // namespace

void Require(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}

void PostClick(HWND window, int controlId) {
    const HWND control = ::GetDlgItem(window, controlId);
    Require(control != nullptr, "no such control");
    const bool isLabel = driver::ClassName(control) == L"Static";
    const WORD code = isLabel ? STN_CLICKED : BN_CLICKED;
    Require(::PostMessageW(window, WM_COMMAND, MAKEWPARAM(controlId, code), reinterpret_cast<LPARAM>(control)) != 0,
            "the click could not be posted");
}

std::optional<e2e::Box> AnswerFast(const e2e::TenmoruSession& session, const e2e::Box& inputBox,
                                   std::wstring_view answer) {
    const HWND edit = ::GetDlgItem(inputBox.window, IDC_INPUT_EDIT);
    Require(edit != nullptr, "the input box has no field");
    const std::wstring text(answer);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Require(driver::Text(edit) == text, "the answer did not arrive in the field");
    ::PostMessageW(inputBox.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(inputBox.window, IDOK)));
    WaitUntilGone(inputBox.window);
    return session.NextBoxOrIdle();
}

std::optional<e2e::Box> CloseFast(const e2e::TenmoruSession& session, const e2e::Box& box) {
    const int button = box.kind == e2e::Box::Kind::Input ? IDCANCEL : IDOK;
    ::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(box.window, button)));
    WaitUntilGone(box.window);
    return session.NextBoxOrIdle();
}

}  // namespace stress
