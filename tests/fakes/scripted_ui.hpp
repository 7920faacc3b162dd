#pragma once
// A scripted user interface: input boxes answer from a script, and every box shown is recorded in
// order, so a whole game reads as one line of a table.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/ui.hpp"

class ScriptedUi final : public Ui {
public:
    // What the record shows for an input box; message boxes are recorded by their text.
    static constexpr std::wstring_view kInputShown = L"[input]";

    explicit ScriptedUi(std::deque<std::wstring> answers = {}) : answers_(std::move(answers)) {}

    void MsgBox(std::wstring_view prompt) override { shown_.emplace_back(prompt); }

    std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                          std::wstring_view defaultText) override {
        shown_.emplace_back(kInputShown);
        inputs_.push_back({std::wstring(prompt), std::wstring(title), std::wstring(defaultText)});
        if (answers_.empty()) {
            ADD_FAILURE() << "an input box was shown after the script had run out";
            return {};
        }
        std::wstring answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }

    struct InputCall {
        std::wstring prompt, title, defaultText;
    };

    const std::vector<std::wstring>& shown() const { return shown_; }
    const std::vector<InputCall>& inputs() const { return inputs_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<std::wstring> answers_;
    std::vector<std::wstring> shown_;
    std::vector<InputCall> inputs_;
};
