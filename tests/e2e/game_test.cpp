// Whole games played through the real input box and message boxes, reading every answer.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/screenshot.hpp"
#include "game/texts.hpp"
#include "tenmoru_session.hpp"

namespace {

using e2e::Box;
using e2e::TenmoruSession;

bool IsMessage(const std::optional<Box>& box) { return box && box->kind == Box::Kind::Message; }
bool IsInput(const std::optional<Box>& box) { return box && box->kind == Box::Kind::Input; }

TEST(Game, HalfGuessesFindTheSecretAndTheHitEndsTheGame) {
    TenmoruSession session;
    const HWND main = session.MainWindow();
    Box input = session.StartGame();
    EXPECT_FALSE(::IsWindowEnabled(main)) << "main window enabled under the input box";

    // Bisection with guesses between whole numbers: each is answered and the game goes on.
    int low = 1;
    int high = 10;
    while (low < high) {
        const int middle = (low + high) / 2;
        const auto message = session.Answer(input, std::to_wstring(middle) + L".5");
        ASSERT_TRUE(IsMessage(message));
        EXPECT_EQ(message->title, L"Tenmoru");
        EXPECT_FALSE(::IsWindowEnabled(main)) << "main window enabled under a message box";
        ASSERT_TRUE(message->text == kTooLarge || message->text == kTooSmall)
            << "a guess of " << middle << ".5 was not answered 大きい or 小さい";
        if (message->text == kTooLarge)
            high = middle;
        else
            low = middle + 1;
        const auto next = session.CloseMessage(*message);
        ASSERT_TRUE(IsInput(next)) << "the game ended after a half guess";
        input = *next;
    }

    const auto hit = session.Answer(input, std::to_wstring(low));
    ASSERT_TRUE(IsMessage(hit));
    EXPECT_EQ(hit->text, kHit);
    driver::SaveScreenshot(hit->window, L"message_hit");
    EXPECT_FALSE(session.CloseMessage(*hit).has_value()) << "another box after あたり";
    EXPECT_TRUE(::IsWindowEnabled(main));
}

TEST(Game, EmptyAnswerEndsTheGameSilently) {
    struct Case {
        const char* name;
        bool cancel;  // else OK on an empty field
    };
    const Case cases[] = {{"Cancel (Esc)", true}, {"OK on an empty field", false}};
    TenmoruSession session;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Box input = session.StartGame();
        const auto after = c.cancel ? session.Cancel(input) : session.Answer(input, L"");
        EXPECT_FALSE(after.has_value()) << "a box was shown: " << (after ? after->text : L"");
        EXPECT_TRUE(::IsWindowEnabled(session.MainWindow()));
    }
}

// One answer given once the secret is known, and what the game must say to it.
struct AnswerCase {
    const char* name;
    std::wstring (*answer)(int secret);
    std::wstring_view (*expected)(int secret);
    bool (*endsGame)(int secret);  // the loop test sees Val(answer) == secret
};

const AnswerCase kAnswerCases[] = {
    {"FullWidthSeven", [](int) { return std::wstring(L"\uFF17"); },
     [](int s) { return e2e::Verdict(7, s); }, [](int s) { return s == 7; }},
    {"OneIsInRange", [](int) { return std::wstring(L"1"); },
     [](int s) { return e2e::Verdict(1, s); }, [](int s) { return s == 1; }},
    {"TenIsInRange", [](int) { return std::wstring(L"10"); },
     [](int s) { return e2e::Verdict(10, s); }, [](int s) { return s == 10; }},
    {"ZeroIsOutOfRange", [](int) { return std::wstring(L"0"); },
     [](int) { return kOutOfRange; }, [](int) { return false; }},
    {"ElevenIsOutOfRange", [](int) { return std::wstring(L"11"); },
     [](int) { return kOutOfRange; }, [](int) { return false; }},
    {"TooLargeForADoubleIsOutOfRange", [](int) { return std::wstring(L"1e400"); },
     [](int) { return kOutOfRange; }, [](int) { return false; }},
    {"LettersAreNotANumber", [](int) { return std::wstring(L"abc"); },
     [](int) { return kNotANumber; }, [](int) { return false; }},
    {"FractionIsComparedNeverHits", [](int) { return std::wstring(L"2.5"); },
     [](int s) { return e2e::Verdict(2.5, s); }, [](int) { return false; }},
    {"SecretFollowedByLettersIsNotANumberButEndsTheGame",
     [](int s) { return std::to_wstring(s) + L"abc"; }, [](int) { return kNotANumber; },
     [](int) { return true; }},
    {"SecretHits", [](int s) { return std::to_wstring(s); }, [](int) { return kHit; },
     [](int) { return true; }},
};

class GameAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(GameAnswer, IsAnsweredAsTheRulesSay) {
    const AnswerCase& c = GetParam();
    TenmoruSession session;
    const auto [secret, input] = e2e::FindSecret(session, session.StartGame());
    SCOPED_TRACE("secret " + std::to_string(secret));

    const auto message = session.Answer(input, c.answer(secret));
    ASSERT_TRUE(IsMessage(message));
    EXPECT_EQ(message->text, c.expected(secret));
    EXPECT_EQ(message->title, L"Tenmoru");
    EXPECT_FALSE(::IsWindowEnabled(session.MainWindow()));
    driver::SaveScreenshot(message->window, L"answer_" + std::wstring(c.name, c.name + std::char_traits<char>::length(c.name)));

    const auto next = session.CloseMessage(*message);
    if (c.endsGame(secret)) {
        EXPECT_FALSE(next.has_value()) << "the game went on";
    } else {
        ASSERT_TRUE(IsInput(next)) << "the game ended";
        EXPECT_FALSE(session.Cancel(*next).has_value());
    }
    EXPECT_TRUE(::IsWindowEnabled(session.MainWindow()));
}

INSTANTIATE_TEST_SUITE_P(AfterTheSecretIsKnown, GameAnswer, ::testing::ValuesIn(kAnswerCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
