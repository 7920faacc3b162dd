#include "bench/win32/game_bench.hpp"

#include <array>
#include <string_view>

#include "bench/win32/stopwatch.hpp"
#include "game/texts.hpp"
#include "resources/resource_ids.h"

namespace bench {

namespace {

// Guesses that never equal the secret number (a whole number from 1 to 10) and so never end the game:
// outside the range, between two whole numbers, or no number at all; half- and full-width. Each with
// the answers the game may give to it.
struct MissingGuess {
    std::wstring_view text;
    std::array<std::wstring_view, 2> answers;
};
constexpr std::array<MissingGuess, 8> kMissingGuesses{{
    {L"0", {kOutOfRange, kOutOfRange}},
    {L"11", {kOutOfRange, kOutOfRange}},
    {L"2.5", {kTooLarge, kTooSmall}},
    {L"abc", {kNotANumber, kNotANumber}},
    {L"9.5", {kTooLarge, kTooSmall}},
    {L"-3", {kOutOfRange, kOutOfRange}},
    {L"\xFF11\xFF11", {kOutOfRange, kOutOfRange}},  // full-width "11"
    {L"5.5", {kTooLarge, kTooSmall}},
}};

bool IsExpectedAnswer(const MissingGuess& guess, std::wstring_view answer) {
    return answer == guess.answers[0] || answer == guess.answers[1];
}

// Cancels the input box and waits until the game is over.
bool CancelInputBox(const TenmoruSession& session, HWND inputBox) {
    PressDialogButton(inputBox, IDCANCEL);
    return session.WaitUntilClosedAndIdle(inputBox);
}

}  // namespace

Series MeasureStartClickToInputBox(const TenmoruSession& session, std::size_t count) {
    Series series;
    const HWND startButton = GetDlgItem(session.MainWindow(), IDC_CMDSTAT);
    if (startButton == nullptr) {
        series.failure = L"no start button";
        return series;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Stopwatch clock;
        Click(startButton);
        const HWND inputBox = session.WaitForWindow(IsInputBox);
        const double elapsed = clock.ElapsedMs();
        if (inputBox == nullptr) {
            series.failure = L"no input box after a click on the start button";
            break;
        }
        series.samples.push_back(elapsed);
        if (!CancelInputBox(session, inputBox)) {
            series.failure = L"the input box did not close on Cancel";
            break;
        }
    }
    return series;
}

GuessSeries MeasureLongGame(const TenmoruSession& session, std::size_t count) {
    GuessSeries result;
    const auto stop = [&](std::wstring_view why) {
        result.answerShown.failure = why;
        result.perGuess.failure = why;
    };

    Click(GetDlgItem(session.MainWindow(), IDC_CMDSTAT));
    HWND inputBox = session.WaitForWindow(IsInputBox);
    for (std::size_t guess = 0; guess < count && inputBox != nullptr; ++guess) {
        const MissingGuess& missing = kMissingGuesses[guess % kMissingGuesses.size()];
        if (!SetControlText(GetDlgItem(inputBox, IDC_INPUT_EDIT), missing.text)) {
            stop(L"could not type into the input box");
            return result;
        }
        const Stopwatch clock;
        PressDialogButton(inputBox, IDOK);
        // The answer: a message box with its text, not the input box just answered on its way out.
        const HWND answered = inputBox;
        const HWND message = session.WaitForWindow(
            [answered](HWND window) { return window != answered && IsMessageBox(window) && !MessageText(window).empty(); });
        if (message == nullptr) {
            stop(L"no message answered guess " + std::to_wstring(guess + 1));
            return result;
        }
        const double answerShownMs = clock.ElapsedMs();
        result.answerShown.samples.push_back(answerShownMs);
        // Reading the answer is the benchmark's own work: it is left out of the time per guess.
        if (const std::wstring answer = MessageText(message); !IsExpectedAnswer(missing, answer)) {
            if (result.unexpectedAnswers++ == 0) {
                result.firstUnexpected = L"guess " + std::to_wstring(guess + 1) + L" \"" + std::wstring{missing.text} +
                                         L"\" answered \"" + answer + L"\"";
            }
        }
        const Stopwatch afterAnswer;
        PressDialogButton(message, IDOK);
        inputBox = session.WaitForWindow(IsInputBox);
        if (inputBox != nullptr) result.perGuess.samples.push_back(answerShownMs + afterAnswer.ElapsedMs());
    }
    if (inputBox == nullptr) {
        stop(L"the game ended or hung after " + std::to_wstring(result.perGuess.samples.size()) + L" guesses");
        return result;
    }
    CancelInputBox(session, inputBox);
    return result;
}

}  // namespace bench
