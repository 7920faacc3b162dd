// Whole games against a scripted player; every text spelled by code point, so no look-alike passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "game/guess_loop.hpp"

namespace {

const std::wstring kAsk = L"[input]";
const std::wstring kNotANumber = L"\u6574\u6570\u3092\u5165\u529B\u3057\u3066\u304F\u3060\u3055\u3044";
const std::wstring kRange = L"\u5165\u529B\u6570\u5024\u306F1\uFF5E10\u307E\u3067\u3067\u3059";
const std::wstring kBig = L"\u5927\u304D\u3044", kSmall = L"\u5C0F\u3055\u3044", kHit = L"\u3042\u305F\u308A";

// Answers input boxes from a script (then with the empty text) and records every box in order.
struct ScriptedUi final : tenmoru::Ui {
    explicit ScriptedUi(std::vector<std::wstring> script = {}) : answers(std::move(script)) {}
    void MsgBox(std::wstring_view prompt) override { shown.emplace_back(prompt); }
    std::wstring InputBox(std::wstring_view, std::wstring_view, std::wstring_view) override {
        shown.push_back(kAsk);
        return next < answers.size() ? answers[next++] : L"";
    }
    std::vector<std::wstring> answers;
    std::size_t next = 0;
    std::vector<std::wstring> shown;
};

// Draws the value r again and again; records "R" and "N" for the calls.
struct FixedRandom final : tenmoru::RandomSource {
    explicit FixedRandom(float value) : r(value) {}
    void Randomize() override { calls += L'R'; }
    float Next() override {
        calls += L'N';
        return r;
    }
    float r;
    std::wstring calls;
};

// The generator's value that gives a secret number.
constexpr float Drawing(int secret) { return (static_cast<float>(secret) - 0.5f) / 10.0f; }

struct GameCase {
    const char* name;
    float r;
    std::vector<std::wstring> answers, shown;
};

const GameCase kGames[] = {
    {"0 and 11 are out, 1 and 10 in",
     Drawing(5),
     {L"0", L"11", L"1", L"10", L""},
     {kAsk, kRange, kAsk, kRange, kAsk, kSmall, kAsk, kBig, kAsk}},
    {"2.5 never hits 2", Drawing(2), {L"2.5", L"2"}, {kAsk, kBig, kAsk, kHit}},
    {"3abc is refused yet ends the game for 3", Drawing(3), {L"3abc"}, {kAsk, kNotANumber}},
    {"3abc goes on for 4", Drawing(4), {L"3abc", L""}, {kAsk, kNotANumber, kAsk}},
    // The draw's ends: 0 gives 1, and the largest value below 1 gives 10, never 11.
    {"the smallest draw is 1", 0.0f, {L"1"}, {kAsk, kHit}},
    {"the largest draw is 10", std::nextafter(1.0f, 0.0f), {L"11", L"10"}, {kAsk, kRange, kAsk, kHit}},
};

TEST(GameTest, WholeGames) {
    for (const GameCase& game : kGames) {
        SCOPED_TRACE(game.name);
        ScriptedUi ui(game.answers);
        FixedRandom random(game.r);
        tenmoru::PlayGame(ui, random);
        EXPECT_EQ(ui.shown, game.shown);
        EXPECT_EQ(ui.next, game.answers.size()) << "the game ended before the script did";
        EXPECT_EQ(random.calls, L"RN") << "seed once, then draw once";
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

// A game seeded at another tick draws another number; the same tick, the same number.
TEST(GameTest, TheFirstDrawDependsOnTheClock) {
    const std::uint64_t kTicks[] = {0, 1, 2, 1000, 123456789, 0xFFFFFFFFu, 0x100000000u};
    std::vector<float> draws;
    for (const std::uint64_t at : kTicks) {
        SCOPED_TRACE(at);
        draws.push_back(FirstDraw(at));
        EXPECT_EQ(FirstDraw(at), draws.back()) << "the same tick gave another draw";
    }
    std::sort(draws.begin(), draws.end());
    EXPECT_EQ(std::adjacent_find(draws.begin(), draws.end()), draws.end()) << "two ticks gave the same draw";
}

// Evenly spread draws give every secret from 1 to 10 equally often.
TEST(GameTest, EvenDrawsGiveEverySecretEquallyOften) {
    std::vector<int> counts(11, 0);
    for (int k = 0; k < 1000; ++k)
        ++counts.at(static_cast<std::size_t>(tenmoru::SecretNumberFor((static_cast<float>(k) + 0.5f) / 1000)));
    EXPECT_EQ(counts, std::vector<int>({0, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}));
}

}  // namespace
