// Fuzzes one whole game: any generator value and any sequence of answers. Input layout:
//     4 bytes   the generator's value, as the bits of a float (also NaN, negative, 1 and above)
//     the rest  answers separated by "\n" bytes, each decoded as in fuzz_input.hpp; at most
//               kMaxAnswers are used, and a script that runs out answers with Cancel (empty)
// Checked on the record of the game, from the rules of the loop:
//   - seed once, then draw once, before the first box; the secret number is 1 to 10;
//   - the boxes alternate: input box, message, input box, ...; never two open at once;
//   - every input box asks with the guess prompt, the title "Tenmoru" and an empty default;
//   - every message is the one the rules give for the answer before it (not a number, out of
//     range, too large, too small, hit), so always one of the game's texts;
//   - an empty answer ends the game at once without a message;
//   - after a message the game ends exactly when Val of that answer equals the secret number,
//     so after "あたり" no input box follows.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/fuzz_input.hpp"
#include "game/guess_loop.hpp"
#include "game/texts.hpp"
#include "shell/number.hpp"
#include "shell/random.hpp"
#include "shell/ui.hpp"

namespace {

constexpr std::size_t kMaxAnswers = 200;

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(float value) : value_(value) {}
    void Randomize() override {
        fuzz::Check(randomizes_ == 0 && draws_ == 0, "the generator is seeded once, before the draw");
        ++randomizes_;
    }
    float Next() override {
        fuzz::Check(randomizes_ == 1 && draws_ == 0, "one draw, after seeding");
        ++draws_;
        return value_;
    }
    int draws() const { return draws_; }

private:
    float value_;
    int randomizes_ = 0;
    int draws_ = 0;
};

// One box the game showed: an input box with the answer it got, or a message.
struct Shown {
    bool input;
    std::wstring text;  // the answer of an input box, the prompt of a message
};

// A user interface without a test framework: answers from the script, records every box, and
// counts how many boxes are open to catch one opened while another is.
class ScriptedUi final : public Ui {
public:
    ScriptedUi(std::vector<std::wstring> answers, const ScriptedRandom& random)
        : answers_(std::move(answers)), random_(random) {}

    void MsgBox(std::wstring_view prompt) override {
        const OpenBox box(open_);
        fuzz::Check(!shown_.empty() && shown_.back().input, "a message answers an input box");
        shown_.push_back({false, std::wstring(prompt)});
    }

    std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                          std::wstring_view defaultText) override {
        const OpenBox box(open_);
        fuzz::Check(random_.draws() == 1, "the number is drawn before the first input box");
        fuzz::Check(shown_.empty() || !shown_.back().input, "an input box follows a message");
        fuzz::Check(prompt == kPromptGuess && title == kInputTitle && defaultText.empty(),
                    "the input box asks with the guess prompt, the title and an empty default");
        std::wstring answer = next_ < answers_.size() ? answers_[next_++] : std::wstring();
        shown_.push_back({true, answer});
        return answer;
    }

    const std::vector<Shown>& shown() const { return shown_; }

private:
    class OpenBox {
    public:
        explicit OpenBox(int& open) : open_(open) { fuzz::Check(++open_ == 1, "one box open at a time"); }
        ~OpenBox() { --open_; }
        OpenBox(const OpenBox&) = delete;
        OpenBox& operator=(const OpenBox&) = delete;

    private:
        int& open_;
    };

    std::vector<std::wstring> answers_;
    std::size_t next_ = 0;
    const ScriptedRandom& random_;
    std::vector<Shown> shown_;
    int open_ = 0;
};

// The message the rules give for a non-empty answer.
std::wstring_view ExpectedMessage(const std::wstring& answer, double secret) {
    if (!IsNumeric(answer)) return kNotANumber;
    const double v = Val(answer);
    if (!(v >= 1.0 && v <= 10.0)) return kOutOfRange;
    if (v > secret) return kTooLarge;
    if (v < secret) return kTooSmall;
    return kHit;
}

std::vector<std::wstring> SplitAnswers(std::span<const std::uint8_t> bytes) {
    std::vector<std::wstring> answers;
    while (!bytes.empty() && answers.size() < kMaxAnswers) {
        const auto* newline = static_cast<const std::uint8_t*>(std::memchr(bytes.data(), '\n', bytes.size()));
        const std::size_t length = newline ? static_cast<std::size_t>(newline - bytes.data()) : bytes.size();
        answers.push_back(fuzz::DecodeText(bytes.first(length)));
        bytes = bytes.subspan(newline ? length + 1 : length);
    }
    return answers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    const auto bits = fuzz::TakeLittleEndian<std::uint32_t>(bytes);
    float r = 0;
    std::memcpy(&r, &bits, sizeof r);

    const std::int16_t secretNumber = SecretNumberFor(r);
    fuzz::Check(secretNumber >= 1 && secretNumber <= 10, "the secret number is 1 to 10");
    if (r >= 0.0f && r < 1.0f) {
        fuzz::Check(secretNumber == static_cast<std::int16_t>(std::floor(static_cast<double>(r) * 10.0 + 1.0)),
                    "the secret number is the floor of r * 10 + 1");
    }
    const double secret = secretNumber;

    ScriptedRandom random(r);
    ScriptedUi ui(SplitAnswers(bytes), random);
    PlayGame(ui, random);

    const std::vector<Shown>& shown = ui.shown();
    fuzz::Check(!shown.empty() && shown.front().input, "a game starts with an input box");
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const bool last = i + 1 == shown.size();
        if (shown[i].input) {
            const bool empty = shown[i].text.empty();
            fuzz::Check(empty == last, "the game ends right after an input box exactly on an empty answer");
        } else {
            const std::wstring& answer = shown[i - 1].text;
            fuzz::Check(shown[i].text == ExpectedMessage(answer, secret), "each answer gets the message of the rules");
            fuzz::Check(last == (Val(answer) == secret), "after a message the game ends exactly on Val = secret");
            fuzz::Check(!(shown[i].text == kHit) || last, "no input box after a hit");
        }
    }
    return 0;
}
