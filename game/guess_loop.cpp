#include "game/guess_loop.hpp"

#include <algorithm>
#include <string>
#include <string_view>

#include "game/texts.hpp"
#include "runtime/app.hpp"
#include "runtime/number.hpp"
#include "runtime/random.hpp"
#include "runtime/ui.hpp"

namespace tenmoru {

namespace {

// The message for one non-empty answer, tested in this order: numeric, in range, greater, less.
std::wstring_view MessageFor(std::wstring_view answer, double secret) {
    if (!IsNumeric(answer)) return kNotANumber;
    const double guess = Val(answer);
    if (guess < 1.0 || guess > 10.0) return kOutOfRange;
    if (guess > secret) return kTooLarge;
    if (guess < secret) return kTooSmall;
    return kHit;
}

}  // namespace

std::int16_t SecretNumberFor(float r) {
    // In double precision r * 10 + 1 stays below 11 for every float r < 1 (single precision could
    // round the largest value up to 11); the clamp holds the range even for a faulty generator.
    const std::int16_t drawn = Int(static_cast<double>(r) * 10.0 + 1.0);
    return std::clamp<std::int16_t>(drawn, 1, 10);
}

void PlayGame(Ui& ui, RandomSource& random) {
    random.Randomize();
    const double secret = SecretNumberFor(random.Next());

    // The hit test looks at the previous answer before every new input box, with Val alone: an
    // answer such as "3abc" is refused as a number yet still ends a game whose number is 3.
    std::wstring answer;
    while (Val(answer) != secret) {
        answer = ui.InputBox(kPromptGuess, App.Title, L"");
        if (answer.empty()) return;  // Cancel, or OK on an empty field: the player gives up.
        ui.MsgBox(MessageFor(answer, secret));
    }
}

}  // namespace tenmoru
