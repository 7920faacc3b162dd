#pragma once
// The user-interface services a handler needs: modal message and input boxes.
// The Win32 layer implements them; tests implement them as scripted fakes.
#include <string>
#include <string_view>

namespace tenmoru {

class Ui {
public:
    virtual ~Ui() = default;

    // A modal box with the prompt and an OK button alone, titled with the application title.
    // Returns when the player closes it.
    virtual void MsgBox(std::wstring_view prompt) = 0;

    // A modal box with the prompt, a one-line text field holding defaultText, OK and Cancel.
    // Returns the field's text on OK and the empty text on Cancel.
    virtual std::wstring InputBox(std::wstring_view prompt, std::wstring_view title, std::wstring_view defaultText) = 0;
};

}  // namespace tenmoru
