// Whole games against a scripted player; every text spelled by code point, so no look-alike passes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "game/guess_loop.hpp"

namespace {

const std::wstring kAsk = L"[input]";
const std::wstring kNotANumber = L"\u6574\u6570\u3092\u5165\u529B\u3057\u3066\u304F\u3060\u3055\u3044";
const std::wstring kRange = L"\u5165\u529B\u6570\u5024\u306F1\uFF5E10\u307E\u3067\u3067\u3059";
const std::wstring kBig = L"\u5927\u304D\u3044", kSmall = L"\u5C0F\u3055\u3044", kHit = L"\u3042\u305F\u308A";

// Answers input boxes from a script (then with the empty text) and records every box in order;
// draws the value r again and again, recording "R" and "N" for the calls.
struct ScriptedGame final : tenmoru::Ui, tenmoru::RandomSource {
    ScriptedGame(std::vector<std::wstring> script, float value) : answers(std::move(script)), r(value) {}
    void MsgBox(std::wstring_view prompt) override { shown.emplace_back(prompt); }
    std::wstring InputBox(std::wstring_view, std::wstring_view, std::wstring_view) override {
        return shown.push_back(kAsk), next < answers.size() ? answers[next++] : L"";
    }
    void Randomize() override { calls += L'R'; }
    float Next() override { return calls += L'N', r; }
    std::vector<std::wstring> answers, shown;
    float r;
    std::size_t next = 0;
    std::wstring calls;
};

// The generator's value that gives a secret number.
constexpr float Drawing(int secret) { return (static_cast<float>(secret) - 0.5f) / 10.0f; }

struct GameCase {
    const char* name;
    float r;
    std::vector<std::wstring> answers, shown;
};

// clang-format off
const GameCase kGames[] = {
    {"0 and 11 are out, 1 and 10 in", Drawing(5), {L"0", L"11", L"1", L"10", L""},
     {kAsk, kRange, kAsk, kRange, kAsk, kSmall, kAsk, kBig, kAsk}},
    {"2.5 never hits 2", Drawing(2), {L"2.5", L"2"}, {kAsk, kBig, kAsk, kHit}},
    {"3abc is refused yet ends the game for 3", Drawing(3), {L"3abc"}, {kAsk, kNotANumber}},
    {"3abc goes on for 4", Drawing(4), {L"3abc", L""}, {kAsk, kNotANumber, kAsk}},
    // The largest value below 1 gives 10, never 11.
    {"the largest draw is 10", std::nextafter(1.0f, 0.0f), {L"11", L"10"}, {kAsk, kRange, kAsk, kHit}},
};
// clang-format on

TEST(GameTest, WholeGames) {
    for (const GameCase& game : kGames) {
        SCOPED_TRACE(game.name);
        ScriptedGame play(game.answers, game.r);
        tenmoru::PlayGame(play, play);
        EXPECT_EQ(play.shown, game.shown);
        EXPECT_EQ(play.next, game.answers.size()) << "the game ended before the script did";
        EXPECT_EQ(play.calls, L"RN") << "seed once, then draw once";
    }
}

std::uint64_t ticks = 0;  // the clock the generator is seeded from, as a test sets it

// The first draw of a new game, for a clock reading, from a generator in its first state.
float FirstDraw(std::uint64_t at) {
    ticks = at;
    tenmoru::ClockRandom random([] { return ticks; });
    random.Randomize();
    return random.Next();
}

// A game seeded at another tick draws another number, the same tick the same number; and evenly
// spread draws give every secret from 1 to 10 equally often.
TEST(GameTest, TheDrawDependsOnTheClockAndGivesEverySecretEquallyOften) {
    std::set<float> draws;
    for (const std::uint64_t at : {0ull, 1ull, 2ull, 1000ull, 123456789ull, 0xFFFFFFFFull, 0x100000000ull}) {
        EXPECT_EQ(FirstDraw(at), FirstDraw(at)) << "the same tick gave another draw at " << at;
        draws.insert(FirstDraw(at));
    }
    EXPECT_EQ(draws.size(), 7u) << "two ticks gave the same draw";
    std::vector<int> counts(11, 0);
    for (int k = 0; k < 1000; ++k)
        ++counts.at(static_cast<std::size_t>(tenmoru::SecretNumberFor((static_cast<float>(k) + 0.5f) / 1000)));
    EXPECT_EQ(counts, std::vector<int>({0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}));
}

}  // namespace
