#pragma once
// Driving Tenmoru fast, by messages instead of real input: a click is the notification the control
// would send its window (posted, since a click may open a modal box and not return for a while),
// an answer is WM_SETTEXT on the input box's field followed by its OK command. Used where real
// input would be too slow, i.e. for hundreds of rounds.
#include <windows.h>

#include <optional>
#include <string_view>

#include "tenmoru_session.hpp"

namespace stress {

// Posts the click notification of the main window's control (button or label).
void PostClick(HWND window, int controlId);

// Answers the input box with the text through its OK button, then returns what comes next.
std::optional<e2e::Box> AnswerFast(const e2e::TenmoruSession& session, const e2e::Box& inputBox,
                                   std::wstring_view answer);
// Closes the box with its OK button (a message box) or Cancel (the input box); returns what comes next.
std::optional<e2e::Box> CloseFast(const e2e::TenmoruSession& session, const e2e::Box& box);

// Throws std::runtime_error with the text when the condition does not hold.
void Require(bool condition, const char* what);

}  // namespace stress
