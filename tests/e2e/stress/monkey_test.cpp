// The monkey: thousands of random actions of a careless player, mouse clicks anywhere in the
// program's windows and boxes, Tab, Enter, Esc, Alt+S, random texts typed or pasted into the input
// box, all as real input. After every action the program must still run (or have been ended by
// an action that ends it), show at most one modal box, show only its own texts, and leave no window
// disabled once no box is open. The seed is printed first; TENMORU_MONKEY_SEED replays a run.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "about_e2e.hpp"
#include "driver/input.hpp"
#include "driver/screenshot.hpp"
#include "driver/wait.hpp"
#include "driver/windows.hpp"
#include "game/rules.hpp"
#include "resources/resource_ids.h"
#include "stress/monkey_text.hpp"
#include "stress/program_texts.hpp"
#include "tenmoru_session.hpp"

namespace {

using namespace std::chrono_literals;
using e2e::Box;

constexpr int kActionCount = 2000;
constexpr auto kWallTime = 180s;
// The longest text pasted: 32 KiB of UTF-16. Typed texts stay short: each unit is two key events.
constexpr std::size_t kPasteUnits = 32 * 1024 / sizeof(wchar_t);
constexpr std::size_t kTypeUnits = 48;
// How long a broken state must last to count: between a click and its box the program is briefly
// in states (a window disabled, the box not yet made) that a finished action never leaves behind.
constexpr auto kSettleTime = 3s;

enum class Action { ClickMain, ClickAbout, ClickBox, StartButton, HowToPlay, Tab, Enter, Esc, AltS, TypeText, PasteText, TypeGuess };

struct ActionSpec {
    Action action;
    const char* name;
    int weight;
    bool canEnd;  // a click or Enter/Esc may end the program: the end button, a close box, Esc in the last window
};

const ActionSpec kActions[] = {
    {Action::ClickMain, "click in the main window", 10, true},
    {Action::ClickAbout, "click in the About dialog", 8, true},
    {Action::ClickBox, "click in the box", 10, true},
    {Action::StartButton, "click the start button", 5, true},
    {Action::HowToPlay, "click the how-to-play label", 3, true},
    {Action::Tab, "Tab", 6, false},
    {Action::Enter, "Enter", 8, true},
    {Action::Esc, "Esc", 6, true},
    {Action::AltS, "Alt+S", 5, false},
    {Action::TypeText, "type a random text", 8, false},
    {Action::PasteText, "paste a random text", 5, false},
    {Action::TypeGuess, "type a guess and Enter", 12, true},
};

std::uint32_t ChooseSeed() {
    if (const char* given = std::getenv("TENMORU_MONKEY_SEED"); given != nullptr && *given != '\0')
        return static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    return static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

// A window of the test's own, needed to own the clipboard while it holds the pasted text.
class ClipboardOwner {
public:
    ClipboardOwner()
        : window_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;
    ~ClipboardOwner() {
        if (window_) ::DestroyWindow(window_);
    }

    bool Put(std::wstring_view text) const {
        if (!window_ || !::OpenClipboard(window_)) return false;
        ::EmptyClipboard();
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        bool given = false;
        if (memory) {
            if (auto* units = static_cast<wchar_t*>(::GlobalLock(memory))) {
                std::memcpy(units, text.data(), text.size() * sizeof(wchar_t));
                units[text.size()] = L'\0';
                ::GlobalUnlock(memory);
                given = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
            }
            if (!given) ::GlobalFree(memory);
        }
        ::CloseClipboard();
        return given;
    }

private:
    HWND window_;
};

class Monkey {
public:
    explicit Monkey(std::uint32_t seed) : random_(seed) { session_.emplace(); }

    const ActionSpec& Pick() {
        int total = 0;
        for (const ActionSpec& choice : kActions) total += choice.weight;
        int chosen = std::uniform_int_distribution<int>(0, total - 1)(random_);
        for (const ActionSpec& choice : kActions) {
            if (chosen < choice.weight) return choice;
            chosen -= choice.weight;
        }
        return kActions[0];
    }

    // Does the action; returns what was done, for the record.
    std::string Perform(const ActionSpec& choice) {
        const auto box = session_->ShownBox();
        switch (choice.action) {
        case Action::ClickMain:
            return ClickIn(MainWindow(), "main window");
        case Action::ClickAbout:
            if (HWND about = driver::FindShownWindow(session_->ProcessId(), TENMORU_ABOUT_CLASS))
                return ClickIn(about, "About dialog");
            return ClickIn(Control(IDC_LBLVER), "version label");
        case Action::ClickBox:
            return box ? ClickIn(box->window, "box") : ClickIn(MainWindow(), "main window (no box)");
        case Action::StartButton:
            return ClickIn(Control(IDC_CMDSTAT), "start button");
        case Action::HowToPlay:
            return ClickIn(Control(IDC_LBLHELP), "how-to-play label");
        case Action::Tab:
            return Press(VK_TAB, driver::Modifier::None, box);
        case Action::Enter:
            return Press(VK_RETURN, driver::Modifier::None, box);
        case Action::Esc:
            return Press(VK_ESCAPE, driver::Modifier::None, box);
        case Action::AltS:
            return Press('S', driver::Modifier::Alt, box);
        case Action::TypeText: {
            const std::wstring text = stress::RandomText(random_, kTypeUnits, Kinds());
            SelectWholeField(box);
            FocusSomething(box);
            driver::TypeText(text);
            return "typed " + std::to_string(text.size()) + " units " + Hex(text);
        }
        case Action::PasteText: {
            // Mostly a few hundred units, now and then up to the whole 32 KiB.
            const bool huge = std::uniform_int_distribution<int>(0, 4)(random_) == 0;
            const std::wstring text = stress::RandomText(random_, huge ? kPasteUnits : 512, Kinds());
            if (!clipboard_.Put(text)) return "paste skipped: the clipboard could not be set";
            SelectWholeField(box);
            FocusSomething(box);
            driver::PressKey('V', driver::Modifier::Control);
            return "pasted " + std::to_string(text.size()) + " units " + Hex(text.substr(0, 16));
        }
        case Action::TypeGuess: {
            if (!box || box->kind != Box::Kind::Input) return ClickIn(Control(IDC_CMDSTAT), "start button (no input box)");
            const std::wstring guess = stress::RandomGuess(random_);
            SelectWholeField(box);
            driver::BringToForeground(box->window);
            driver::TypeText(guess);
            driver::PressKey(VK_RETURN);
            ++guessesTyped_;
            return "guess " + Hex(guess) + " and Enter";
        }
        }
        return "nothing";
    }

    // Waits until the program has handled the action, restarts it when an action ended it, and
    // checks the invariants; returns the broken one, if any.
    std::optional<std::string> SettleAndCheck(const std::deque<const ActionSpec*>& lastActions) {
        std::optional<std::string> broken;
        const auto deadline = std::chrono::steady_clock::now() + kSettleTime;
        do {
            if (auto ended = HandleEnd(lastActions)) return ended;
            if (!Answers()) return "Tenmoru does not answer (hung, or stopped in a crash dialog)";
            broken = CheckNow();
            if (!broken) return std::nullopt;
            ::Sleep(50);
        } while (std::chrono::steady_clock::now() < deadline);
        return broken;
    }

    int Restarts() const { return restarts_; }
    int GuessesTyped() const { return guessesTyped_; }
    const std::map<std::wstring, int>& MessagesSeen() const { return messagesSeen_; }
    HWND AnyWindow() const { return SteadyWindow(); }

private:
    HWND MainWindow() const { return session_->MainWindow(); }
    HWND Control(int id) const { return session_->Control(id); }

    static std::string Hex(std::wstring_view text) {
        std::string hex;
        char unit[8];
        for (const wchar_t c : text.substr(0, 24)) {
            std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(c));
            hex += unit;
        }
        return "[" + hex + (text.size() > 24 ? "...]" : "]");
    }

    std::string ClickIn(HWND window, const char* what) {
        if (!window || !::IsWindow(window) || !::IsWindowVisible(window)) return std::string("no ") + what + " to click";
        // A minimised or maximised main window is brought back first, as with a click on its taskbar button.
        if (::IsIconic(window) || ::IsZoomed(window)) {
            ::ShowWindowAsync(window, SW_RESTORE);
            driver::WaitUntil([&] { return !::IsIconic(window) && !::IsZoomed(window); }, 2s);
        }
        const double x = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        const double y = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        driver::ClickAt(window, x, y);
        char where[64];
        std::snprintf(where, sizeof where, " at (%.2f, %.2f)", x, y);
        return std::string("click in ") + what + where;
    }

    // Under Wine a text holds surrogates or direction marks, never both (see TextKinds); on
    // Windows, TENMORU_MONKEY_MIXED_TEXTS=1 mixes them.
    stress::TextKinds Kinds() {
        static const bool mixed = [] {
            const char* given = std::getenv("TENMORU_MONKEY_MIXED_TEXTS");
            return given != nullptr && std::string(given) == "1";
        }();
        if (mixed) return stress::TextKinds::Mixed;
        return std::uniform_int_distribution<int>(0, 1)(random_) == 0 ? stress::TextKinds::SurrogatesAndEmoji
                                                                       : stress::TextKinds::DirectionMarks;
    }

    // Selects the input box's whole field, as Ctrl+A would, so that what is typed next replaces it:
    // the field then holds one generated text at a time.
    static void SelectWholeField(const std::optional<Box>& box) {
        if (box && box->kind == Box::Kind::Input)
            ::SendMessageW(::GetDlgItem(box->window, IDC_INPUT_EDIT), EM_SETSEL, 0, -1);
    }

    // The box if one is shown, else the main window or the About dialog, at random.
    void FocusSomething(const std::optional<Box>& box) {
        if (box) {
            driver::BringToForeground(box->window);
            return;
        }
        std::vector<HWND> candidates;
        for (HWND w : driver::TopLevelWindows(session_->ProcessId()))
            if (::IsWindowVisible(w) && ::IsWindowEnabled(w)) candidates.push_back(w);
        if (candidates.empty()) return;
        driver::BringToForeground(candidates[std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random_)]);
    }

    std::string Press(WORD key, driver::Modifier modifier, const std::optional<Box>& box) {
        FocusSomething(box);
        const HWND target = ::GetForegroundWindow();
        driver::PressKey(key, modifier);
        return "key " + std::to_string(key) + " in " + ToNarrow(target ? driver::ClassName(target) : L"?");
    }

    static std::string ToNarrow(const std::wstring& text) {
        std::string narrow;
        for (const wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
        return narrow;
    }

    HWND LiveWindow() const {
        for (HWND w : driver::TopLevelWindows(session_->ProcessId()))
            if (::IsWindowVisible(w)) return w;
        return nullptr;
    }

    // A window that lives as long as the program does, if it is still there, else any shown one.
    HWND SteadyWindow() const {
        const HWND main = MainWindow();
        return ::IsWindow(main) ? main : LiveWindow();
    }

    // The program's thread reads messages again; false when it did not within the timeout. A window
    // destroyed while being asked (a box that closed) is no hang: another one is asked.
    bool Answers() {
        for (int attempt = 0; attempt < 20; ++attempt) {
            HWND window = nullptr;
            driver::WaitUntil([&] { return (window = SteadyWindow()) != nullptr || !session_->Process().Running(); });
            if (!window) return !session_->Process().Running();
            if (driver::ThreadAnswers(window)) {
                ::Sleep(15);  // and once more, for input that arrived meanwhile
                if (driver::ThreadAnswers(window) || !::IsWindow(window)) return true;
            }
            if (::IsWindow(window)) return false;
        }
        return false;
    }

    // When the program has ended: a failure unless an action that can end it came just before and
    // it ended normally; otherwise it is started again.
    std::optional<std::string> HandleEnd(const std::deque<const ActionSpec*>& lastActions) {
        auto& process = session_->Process();
        if (process.Running()) {
            // Its windows may all be gone while it is still on its way out.
            if (LiveWindow() != nullptr || !process.WaitForExit(2s)) return std::nullopt;
        }
        const DWORD code = process.WaitForExit(0ms).value_or(0xFFFFFFFFu);
        if (code != 0) return "Tenmoru ended with exit code " + std::to_string(code) + " (a crash)";
        bool endable = false;
        for (const ActionSpec* choice : lastActions) endable = endable || choice->canEnd;
        if (!endable) return "Tenmoru ended after actions that cannot end it";
        ++restarts_;
        lastMessage_ = nullptr;
        session_.reset();
        session_.emplace();
        return std::nullopt;
    }

    std::optional<std::string> CheckNow() {
        const DWORD id = session_->ProcessId();
        std::vector<HWND> dialogs;
        int shown = 0;
        for (HWND w : driver::TopLevelWindows(id)) {
            if (driver::ClassName(w) != L"#32770") continue;
            dialogs.push_back(w);
            if (::IsWindowVisible(w)) ++shown;
        }
        if (shown > 1) return std::to_string(shown) + " modal boxes are shown at once";
        if (const auto box = session_->ShownBox()) {
            if (box->title != L"Tenmoru") return "a box titled " + Hex(box->title);
            if (box->kind == Box::Kind::Input) {
                if (box->text != kPromptGuess) return "an input box with the prompt " + Hex(box->text);
            } else {
                bool known = box->text == RulesMessage();
                for (const std::wstring_view message : stress::kShortMessages) known = known || box->text == message;
                if (!known) return "a message box with the text " + Hex(box->text);
                if (box->window != lastMessage_) {
                    lastMessage_ = box->window;
                    ++messagesSeen_[box->text == RulesMessage() ? L"(rules)" : box->text];
                }
            }
        }
        if (dialogs.empty()) {
            for (HWND w : driver::TopLevelWindows(id))
                if (::IsWindowVisible(w) && !::IsWindowEnabled(w))
                    return "no box is open, but the window of class " + ToNarrow(driver::ClassName(w)) + " is disabled";
        }
        return std::nullopt;
    }

    std::mt19937 random_;
    std::optional<e2e::TenmoruSession> session_;
    ClipboardOwner clipboard_;
    HWND lastMessage_ = nullptr;
    int restarts_ = 0;
    int guessesTyped_ = 0;
    std::map<std::wstring, int> messagesSeen_;
};

std::string Utf8(std::wstring_view text) {
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                      nullptr, 0, nullptr, nullptr)),
                      '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

TEST(Monkey, RandomActionsLeaveTheProgramSound) {
    const std::uint32_t seed = ChooseSeed();
    std::printf("monkey seed: %u (replay with TENMORU_MONKEY_SEED=%u)\n", seed, seed);
    std::fflush(stdout);

    // Alt+S must give the launcher's message, never start a real tool.
    about_e2e::ScopedMachineValue path(L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
    about_e2e::ScopedMachineValue folder(L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
    ASSERT_TRUE(path.Set(L"C:\\Tenmoru Monkey Missing\\MSINFO32.EXE"));
    ASSERT_TRUE(folder.Set(std::nullopt));

    Monkey monkey(seed);
    std::deque<const ActionSpec*> lastActions;
    std::deque<std::string> record;  // the last actions done, for the failure report
    std::map<std::string, int> actionCounts;
    const auto started = std::chrono::steady_clock::now();
    int done = 0;
    for (; done < kActionCount && std::chrono::steady_clock::now() - started < kWallTime; ++done) {
        const ActionSpec& choice = monkey.Pick();
        const std::string what = monkey.Perform(choice);
        ++actionCounts[choice.name];
        std::string line = std::to_string(done);  // appended piece by piece: GCC 12 warns wrongly on "#" + ...
        line.insert(0, 1, '#').append(" ").append(choice.name).append(": ").append(what);
        record.push_back(std::move(line));
        if (record.size() > 12) record.pop_front();
        lastActions.push_back(&choice);
        if (lastActions.size() > 2) lastActions.pop_front();
        if (const auto broken = monkey.SettleAndCheck(lastActions)) {
            if (HWND any = monkey.AnyWindow()) driver::SaveScreenshot(any, L"monkey_failure");
            std::string history;
            for (const auto& entry : record) history += "  " + entry + "\n";
            ADD_FAILURE() << "seed " << seed << ", after action #" << done << ": " << *broken << "\nlast actions:\n"
                          << history;
            ++done;
            break;
        }
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
    std::printf("monkey: %d of %d actions in %lld s (seed %u), %d restarts after actions that ended Tenmoru, "
                "%d guesses typed\n",
                done, kActionCount, static_cast<long long>(seconds.count()), seed, monkey.Restarts(),
                monkey.GuessesTyped());
    for (const auto& [name, count] : actionCounts) std::printf("  action %-28s %5d\n", name.c_str(), count);
    for (const auto& [text, count] : monkey.MessagesSeen())
        std::printf("  message %-40s %5d\n", Utf8(text).c_str(), count);
    std::fflush(stdout);
}

}  // namespace
