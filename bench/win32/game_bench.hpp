#pragma once
// Timings of the game as a player meets it: the start button's click to the input box, and each
// guess of one long game from OK in the input box to the next input box.
#include <cstddef>
#include <string>
#include <vector>

#include "bench/win32/tenmoru_session.hpp"

namespace bench {

// Samples in milliseconds; a failure says why the series stopped early.
struct Series {
    std::vector<double> samples;
    std::wstring failure;
};

// Clicks the start button `count` times; each sample is the time from the click to the input box
// being shown. Each input box is cancelled, which ends its game without a message.
[[nodiscard]] Series MeasureStartClickToInputBox(const TenmoruSession& session, std::size_t count);

struct GuessSeries {
    Series answerShown;  // OK in the input box to the answering message being shown
    Series perGuess;     // OK in the input box to the next input box, the message acknowledged at once
    std::size_t unexpectedAnswers = 0;  // answers that are not what the game says to such a guess
    std::wstring firstUnexpected;       // the first of them: guess number, guess and answer
};

// Plays one game of `count` guesses, none of which can hit (out of range, fractional, not a number),
// so the game lasts for all of them; it is cancelled at the end.
[[nodiscard]] GuessSeries MeasureLongGame(const TenmoruSession& session, std::size_t count);

}  // namespace bench
