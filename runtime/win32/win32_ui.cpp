#include "runtime/win32/win32_ui.hpp"

#include <string>

#include "runtime/app.hpp"
#include "runtime/win32/input_box.hpp"
#include "runtime/win32/modal_guard.hpp"

namespace tenmoru {

void Win32Ui::MsgBox(std::wstring_view prompt) {
    const std::wstring text(prompt);
    const std::wstring title(App.Title);
    const ModalGuard othersDisabled{owner_};
    MessageBoxW(owner_, text.c_str(), title.c_str(), MB_OK);
}

std::wstring Win32Ui::InputBox(std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText) {
    const ModalGuard othersDisabled{owner_};
    return RunInputBox(owner_, prompt, title, defaultText);
}

}  // namespace tenmoru
