#include "game/rules.hpp"

#include <array>
#include <string_view>

#include "runtime/ui.hpp"

namespace tenmoru {

namespace {

// "～" is U+FF5E; "ＯＫ" is full-width; line 4 holds the ideographic comma; line 5 quotes the hit
// message in corner brackets.
constexpr std::array<std::wstring_view, 5> kRulesLines = {
    L"1\uFF5E10までの数値をキーボードから入力します",
    L"数値を入力したら\uFF2F\uFF2Bボタンをクリックします",
    L"入力した数値に対して大きいか小さいかのメッセージがでます",
    L"その数値に対して再度\u3001キーボードから数字を入力します",
    L"\u300Cあたり\u300Dと出るまで考えて数値を入力しましょう",
};

}  // namespace

std::wstring RulesMessage() {
    std::wstring message;
    for (const std::wstring_view line : kRulesLines) {
        if (!message.empty()) message += L"\r\n";
        message += line;
    }
    return message;
}

void ShowRules(Ui& ui) { ui.MsgBox(RulesMessage()); }

}  // namespace tenmoru
