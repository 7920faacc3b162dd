#pragma once
// The message and input boxes of the program, modal to every window of it.
#include <windows.h>

#include "runtime/ui.hpp"

namespace tenmoru {

class Win32Ui final : public Ui {
public:
    // owner: the window the boxes belong to (the one whose handler shows them).
    explicit Win32Ui(HWND owner) noexcept : owner_(owner) {}

    void MsgBox(std::wstring_view prompt) override;
    std::wstring InputBox(std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText) override;

private:
    HWND owner_;
};

}  // namespace tenmoru
