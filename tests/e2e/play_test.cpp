// The main window as a player plays it: a game through the real boxes, the rules, the ways to end.
#include <gtest/gtest.h>

#include "driver/driver.hpp"
#include "game/texts.hpp"
#include "runtime/win32/input_box.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace {

using namespace std::chrono_literals;
using e2e::Session;
using tenmoru::Tenmoru;

// While a box is open, neither the main window nor the About dialog can start a handler.
void ExpectOnlyTheBoxEnabled(const e2e::Box& box, const Session& session, HWND about) {
    EXPECT_TRUE(::IsWindowEnabled(box.window) && !::IsWindowEnabled(session.Main()) && !::IsWindowEnabled(about))
        << "windows left enabled under " << testing::PrintToString(box.text);
}

TEST(Game, EachAnswerIsTheOneTheRulesGiveOnlyAHitOrAnEmptyAnswerEndsAGameAndTheRulesShowWithOkAlone) {
    const Session session;
    const HWND about = session.OpenAbout();
    e2e::Box input = session.StartGame();
    EXPECT_EQ(input.title, L"Tenmoru");
    EXPECT_EQ(input.text, tenmoru::kPromptGuess);
    const HWND field = ::GetDlgItem(input.window, tenmoru::kInputFieldId);
    EXPECT_EQ(e2e::Text(field), L"");
    EXPECT_EQ(e2e::Announced(field), std::pair(input.text, LONG{ROLE_SYSTEM_TEXT}))
        << "a reader names it by its prompt";
    // F1 in the box goes up to the main window, which must not answer while the box is open.
    ASSERT_TRUE(e2e::BringToForeground(input.window));
    e2e::PressKey(VK_F1);
    EXPECT_FALSE(e2e::WaitUntil([&] { return e2e::Windows(session.ProcessId(), L"#32770").size() > 1; }, 1s));
    // 1, 2, ... in full-width digits, as a Japanese input method types them: too small until the hit.
    std::vector<std::wstring> answers;
    for (wchar_t digit = L'\uFF11'; digit <= L'\uFF19'; ++digit) answers.emplace_back(1, digit);
    answers.push_back(L"\uFF11\uFF10");
    for (const std::wstring& answer : answers) {
        SCOPED_TRACE(testing::PrintToString(answer));
        ExpectOnlyTheBoxEnabled(input, session, about);
        const auto message = session.Answer(input, answer);
        ASSERT_TRUE(message && !message->input);
        EXPECT_EQ(message->title, L"Tenmoru");
        ExpectOnlyTheBoxEnabled(*message, session, about);
        const auto next = session.Close(message->window);
        if (message->text == tenmoru::kHit) {
            EXPECT_FALSE(next.has_value()) << "a box after the hit";
            break;
        }
        EXPECT_EQ(message->text, tenmoru::kTooSmall);
        ASSERT_TRUE(next && next->input) << "the game ended";
        input = *next;
    }
    // Cancel with text in the field, and OK on an empty field, end a game without a word.
    const e2e::Box cancelled = session.StartGame();
    ASSERT_TRUE(e2e::BringToForeground(cancelled.window));
    e2e::TypeText(L"5");
    ASSERT_TRUE(
        e2e::WaitUntil([&] { return e2e::Text(::GetDlgItem(cancelled.window, tenmoru::kInputFieldId)) == L"5"; }));
    EXPECT_FALSE(session.Close(cancelled.window, VK_ESCAPE).has_value());
    EXPECT_FALSE(session.Answer(session.StartGame(), L"").has_value());
    // The rules, by a click on the how-to-play label or by F1: with OK alone.
    const std::wstring rules =
        L"1\uFF5E10\u307E\u3067\u306E\u6570\u5024\u3092\u30AD\u30FC\u30DC\u30FC\u30C9\u304B\u3089\u5165\u529B\u3057"
        L"\u307E\u3059\r\n\u6570\u5024\u3092\u5165\u529B\u3057\u305F\u3089\uFF2F\uFF2B\u30DC\u30BF\u30F3\u3092\u30AF"
        L"\u30EA\u30C3\u30AF\u3057\u307E\u3059\r\n\u5165\u529B\u3057\u305F\u6570\u5024\u306B\u5BFE\u3057\u3066\u5927"
        L"\u304D\u3044\u304B\u5C0F\u3055\u3044\u304B\u306E\u30E1\u30C3\u30BB\u30FC\u30B8\u304C\u3067\u307E\u3059\r\n"
        L"\u305D\u306E\u6570\u5024\u306B\u5BFE\u3057\u3066\u518D\u5EA6\u3001\u30AD\u30FC\u30DC\u30FC\u30C9\u304B\u3089"
        L"\u6570\u5B57\u3092\u5165\u529B\u3057\u307E\u3059\r\n\u300C\u3042\u305F\u308A\u300D\u3068\u51FA\u308B\u307E"
        L"\u3067\u8003\u3048\u3066\u6570\u5024\u3092\u5165\u529B\u3057\u307E\u3057\u3087\u3046";
    for (int way = 0; way < 2; ++way) {
        ASSERT_TRUE(e2e::BringToForeground(session.Main()));
        way == 0 ? e2e::ClickAt(session.Control(Tenmoru::lblhelp)) : e2e::PressKey(VK_F1);
        const auto box = session.WaitForBox();
        ASSERT_TRUE(box && !box->input);
        EXPECT_EQ(box->text, rules);
        EXPECT_EQ(::GetDlgItem(box->window, IDCANCEL), nullptr);
        ExpectOnlyTheBoxEnabled(*box, session, about);
        EXPECT_FALSE(session.Close(box->window).has_value());
    }
}

TEST(Ending, TheProgramEndsWithItsLastWindow) {
    const struct {
        const char* name;
        bool endsAtOnce;                          // else the About dialog stays open and the program ends with it
        std::vector<std::pair<WORD, WORD>> keys;  // key and held key
    } ways[] = {
        // Tab from the start button, which has the focus at the start, to the end button.
        {"end button by keyboard", true, {{VK_TAB, 0}, {VK_RETURN, 0}}},
        {"Alt+F4", false, {{VK_F4, VK_MENU}}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        const Session session;
        const HWND about = session.OpenAbout();
        ASSERT_TRUE(e2e::BringToForeground(session.Main()));
        for (const auto& [key, held] : way.keys) e2e::PressKey(key, held);
        if (!way.endsAtOnce) {
            EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(session.Main()); }));
            EXPECT_TRUE(::IsWindowVisible(about) && !session.Ended(0ms)) << "the About dialog must stay";
            ::PostMessageW(about, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(session.Ended(e2e::ReactTimeout())) << "the program still runs";
    }
}

}  // namespace
