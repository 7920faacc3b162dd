#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "fakes/scripted_ui.hpp"
#include "game/guess_loop.hpp"
#include "game/texts.hpp"
#include "shell/random.hpp"

namespace {

// A generator that always draws the value that gives the wanted secret number.
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(int secret) : r_((static_cast<float>(secret) - 0.5f) / 10.0f) {}
    void Randomize() override { calls_ += L'R'; }
    float Next() override {
        calls_ += L'N';
        return r_;
    }
    const std::wstring& calls() const { return calls_; }

private:
    float r_;
    std::wstring calls_;
};

const std::wstring kAsk(ScriptedUi::kInputShown);
const std::wstring kNaN(kNotANumber);
const std::wstring kRange(kOutOfRange);
const std::wstring kBig(kTooLarge);
const std::wstring kSmall(kTooSmall);
const std::wstring kWin(kHit);

struct GameCase {
    const char* name;
    int secret;
    std::deque<std::wstring> answers;
    std::vector<std::wstring> shown;
};

const GameCase kGames[] = {
    {"cancel on the first box ends silently", 4, {L""}, {kAsk}},
    {"a hit after one miss", 4, {L"7", L"4"}, {kAsk, kBig, kAsk, kWin}},
    {"range ends belong to the range", 5, {L"0", L"11", L"1", L"10", L""},
     {kAsk, kRange, kAsk, kRange, kAsk, kSmall, kAsk, kBig, kAsk}},
    {"hit at the top of the range", 10, {L"10"}, {kAsk, kWin}},
    {"hit at the bottom of the range", 1, {L"1"}, {kAsk, kWin}},
    {"text is not a number", 6, {L"abc", L" ", L""}, {kAsk, kNaN, kAsk, kNaN, kAsk}},
    {"fractions are compared whole", 3, {L"2.5", L"3.5", L"3.0"}, {kAsk, kSmall, kAsk, kBig, kAsk, kWin}},
    {"3abc is refused yet ends the game", 3, {L"3abc"}, {kAsk, kNaN}},
    {"3abc with another secret goes on", 4, {L"3abc", L""}, {kAsk, kNaN, kAsk}},
    {"full-width digits are guesses", 7, {L"\uFF16", L"\uFF17"}, {kAsk, kSmall, kAsk, kWin}},
    {"overflow is out of range", 2, {L"1e400", L"-1e400", L"1e-400", L""},
     {kAsk, kRange, kAsk, kRange, kAsk, kRange, kAsk}},
    {"spaces around a guess", 8, {L" 8 "}, {kAsk, kWin}},
    {"exponent form hits", 5, {L"0.5e1"}, {kAsk, kWin}},
    {"a long game", 9,
     {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"10", L"9"},
     {kAsk, kSmall, kAsk, kSmall, kAsk, kSmall, kAsk, kSmall, kAsk, kSmall, kAsk, kSmall, kAsk, kSmall,
      kAsk, kSmall, kAsk, kBig, kAsk, kWin}},
};

TEST(GuessLoopTest, EachGameShowsExactlyTheseBoxes) {
    for (const GameCase& game : kGames) {
        SCOPED_TRACE(game.name);
        ScriptedUi ui(game.answers);
        FixedRandom random(game.secret);
        PlayGame(ui, random);
        EXPECT_EQ(ui.shown(), game.shown);
        EXPECT_EQ(ui.unusedAnswers(), 0u) << "the game ended before the script did";
        EXPECT_EQ(random.calls(), L"RN") << "seed once, then draw once";
    }
}

TEST(GuessLoopTest, InputBoxAsksWithThePromptTitleAndEmptyDefault) {
    ScriptedUi ui({L"0", L""});
    FixedRandom random(3);
    PlayGame(ui, random);
    ASSERT_EQ(ui.inputs().size(), 2u);
    for (const auto& call : ui.inputs()) {
        EXPECT_EQ(call.prompt, L"\u6570\u5B57\u3092\u5165\u529B\u3057\u3066\u304F\u3060\u3055\u3044");
        EXPECT_EQ(call.title, L"Tenmoru");
        EXPECT_EQ(call.defaultText, L"");
    }
}

}  // namespace
