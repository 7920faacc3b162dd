// The benchmark's driver: plays Tenmoru.exe and the yardsticks side by side through the end-to-end driver and prints a
// table of figures as it goes. It passes or fails nothing; a step that goes wrong counts as a failure in its note.
//     bench_driver.exe [--rounds N] [--guesses N]      (defaults 40 and 1000)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "about/sys_info_launcher.hpp"
#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"
#include "game/texts.hpp"
#include "runtime/win32/input_box.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A figure's samples in the order taken, NaN where a step failed, so that two series taken side by side stay in pairs.
using Series = std::vector<double>;

// Runs one measured step (it returns its figure); a step that throws counts as a failure.
bool Take(Series& series, const std::function<double()>& step) try {
    series.push_back(step());
    return true;
} catch (const std::exception& e) {
    series.push_back(NAN);
    std::fprintf(stderr, "bench: %s\n", e.what());
    return false;
}

// The quantile of the samples that are not NaN.
double At(std::vector<double> v, double quantile) {
    std::erase_if(v, [](double x) { return std::isnan(x); });
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    const double rank = quantile * static_cast<double>(v.size() - 1);
    return (v[static_cast<std::size_t>(std::floor(rank))] + v[static_cast<std::size_t>(std::ceil(rank))]) / 2;
}
double Median(const std::vector<double>& v) { return At(v, 0.5); }

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Spread(const std::vector<double>& v, int decimals) {
    const auto failed = std::count_if(v.begin(), v.end(), [](double x) { return std::isnan(x); });
    return "quartiles " + Fixed(At(v, 0.25), decimals) + " .. " + Fixed(At(v, 0.75), decimals) + "; n " +
           std::to_string(static_cast<std::ptrdiff_t>(v.size()) - failed) + ", failures " + std::to_string(failed);
}

void Row(const std::string& figure, const std::string& value, const char* unit, const char* goal = "",
         const std::string& note = "") {
    std::printf("%-56s %-13s %-4s %-8s %s\n", figure.c_str(), value.c_str(), unit, goal, note.c_str());
}

void SeriesRow(const std::string& figure, const Series& s, const char* unit, int decimals = 1,
               const std::string& note = "") {
    Row(figure, Fixed(Median(s), decimals), unit, "", note + Spread(s, decimals));
}

// Tenmoru's samples over a yardstick's taken beside them, by the median of the ratios of the pairs, with where the true
// median lies at 95 % confidence: the order statistics at ranks n/2 -+ 0.98 sqrt(n) (the sign test's interval).
void RatioRow(const std::string& figure, const Series& tenmoru, const Series& yardstick, const char* goal,
              const std::string& more = "") {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < std::min(tenmoru.size(), yardstick.size()); ++i)
        if (const double ratio = tenmoru[i] / yardstick[i]; !std::isnan(ratio)) ratios.push_back(ratio);
    std::sort(ratios.begin(), ratios.end());
    const auto n = static_cast<double>(ratios.size());
    const auto low = static_cast<std::size_t>(std::max(0.0, std::floor(n / 2 - 0.98 * std::sqrt(n))));
    const std::string interval =
        n < 6 ? "-" : Fixed(ratios[low], 3) + " .. " + Fixed(ratios[ratios.size() - 1 - low], 3);
    Row(figure + ", median of paired ratios", Fixed(Median(ratios), 3), "", goal,
        "95% interval " + interval + ", " + Spread(ratios, 3) + more);
}

struct Program {
    const wchar_t *exe, *mainClass;
    const char* name;
};
// Tenmoru, the least program with the same main window and boxes, and the least with the same main window alone (the
// yardstick of start-up and memory, carrying none of the boxes' code).
constexpr std::array<Program, 3> kPrograms{
    {{L"Tenmoru.exe", L"Tenmoru", "Tenmoru"},
     {L"bench_yardstick.exe", L"TenmoruYardstick", "yardstick"},
     {L"bench_window_yardstick.exe", L"TenmoruYardstick", "window-only yardstick"}}};

std::string Of(const char* figure, std::size_t program) { return std::string(figure) + ", " + kPrograms[program].name; }

PROCESS_MEMORY_COUNTERS_EX Memory(const e2e::Session& session) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    ::GetProcessMemoryInfo(session.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return m;
}

// Start to main window shown (the session's making) and the peak working set then, in rounds of the three programs in
// turn, each going first as often as the others, after two rounds to warm up; Tenmoru against each yardstick.
void MeasureStartUp(int rounds) {
    constexpr int kWarmUp = 2;
    std::array<Series, 3> time, peak;
    Series warm;
    for (int r = 0; r < kWarmUp + rounds; ++r)
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t p = (static_cast<std::size_t>(r) + k) % 3;
            double mib = NAN;
            Take(r < kWarmUp ? warm : time[p], [&] {
                const auto start = Clock::now();
                const e2e::Session session(kPrograms[p].exe, kPrograms[p].mainClass);
                const double ms = MsSince(start);
                mib = static_cast<double>(Memory(session).PeakWorkingSetSize) / 1048576;
                return ms;
            });
            (r < kWarmUp ? warm : peak[p]).push_back(mib);
        }
    for (std::size_t p = 0; p < 3; ++p) {
        SeriesRow(Of("start to main window shown", p), time[p], "ms");
        SeriesRow(Of("peak working set with the window shown", p), peak[p], "MiB", 2);
    }
    for (std::size_t y = 1; y < 3; ++y) {
        const std::string over = std::string("Tenmoru / ") + kPrograms[y].name;
        RatioRow("start-up " + over, time[0], time[y], "<= 1.05",
                 "; ratio of medians " + Fixed(Median(time[0]) / Median(time[y]), 3));
        RatioRow("peak working set " + over, peak[0], peak[y], "<= 1.03",
                 "; difference of medians " + Fixed((Median(peak[0]) - Median(peak[y])) * 1024, 0) + " KiB");
    }
}

// The timed waits look every millisecond, so that a short figure is not rounded up to the driver's usual step.
bool Poll(const std::function<bool()>& condition) { return e2e::WaitUntil(condition, e2e::ReactTimeout(), 1ms); }

// The program's window of the class that comes to the front after the window before, once shown. Each look asks for
// the foreground window alone, and more only when it changed: a walk over every window each millisecond would slow
// the program under test, which shares the window server.
HWND NextInFront(const e2e::Session& session, HWND before, const wchar_t* className) {
    HWND front = nullptr, other = before;  // other: the last window in front that is not the one awaited
    e2e::Require(Poll([&] {
                     if ((front = ::GetForegroundWindow()) == other || front == nullptr) return false;
                     DWORD owner = 0;
                     if (::GetWindowThreadProcessId(front, &owner) == 0 || owner != session.ProcessId() ||
                         e2e::ClassName(front) != className)
                         other = front;
                     return front != other && ::IsWindowVisible(front);
                 }),
                 "no window of the awaited class came to the front");
    return front;
}

// Enter on the window in front, timed to the next box shown, as the driver reads it.
e2e::Box PressEnter(const e2e::Session& session, HWND window, double& ms) {
    const auto pressed = Clock::now();
    e2e::PressKey(VK_RETURN);
    const HWND front = NextInFront(session, window, L"#32770");
    ms = MsSince(pressed);
    std::optional<e2e::Box> box;
    e2e::Require(e2e::WaitUntil([&] { return (box = session.ShownBox()) && box->window == front; }),
                 "the box in front is not the program's");
    return *box;
}

// Enter on the start button (focused with Tab where it is not) to the input box shown; the box is cancelled.
double StartButtonToInputBox(const e2e::Session& session) {
    const HWND start = session.Control(tenmoru::Tenmoru::cmdstat);
    e2e::Require(e2e::BringToForeground(session.Main()), "the main window is not in front");
    if (e2e::FocusedWindow(start) != start) e2e::PressKey(VK_TAB);
    e2e::Require(e2e::WaitUntil([&] { return e2e::FocusedWindow(start) == start; }), "the start button has no focus");
    double ms = 0;
    const e2e::Box box = PressEnter(session, session.Main(), ms);
    e2e::Require(box.input && !session.Close(box.window, VK_ESCAPE), "the start button's game did not end on Cancel");
    return ms;
}

// Both programs open at once: the start button, then one long game of guesses "0" each (which the game answers as out
// of range and goes on), in alternating short blocks, so that a burst of load from elsewhere falls on both programs'
// first (or last) hundred guesses alike. A guess is timed from OK on the input box to the answer shown, and from OK on
// the answer to the next input box.
void MeasureGame(int clicks, int guesses) {
    const e2e::Session tenmoru(kPrograms[0].exe, kPrograms[0].mainClass),
        yardstick(kPrograms[1].exe, kPrograms[1].mainClass);
    const std::array<const e2e::Session*, 2> sessions{&tenmoru, &yardstick};
    std::array<Series, 2> start;
    for (std::size_t i = 0; i < static_cast<std::size_t>(clicks); ++i)
        for (const std::size_t p : {i & 1, ~i & 1}) Take(start[p], [&] { return StartButtonToInputBox(*sessions[p]); });
    for (std::size_t p = 0; p < 2; ++p) SeriesRow(Of("start button (Enter) to input box shown", p), start[p], "ms");
    RatioRow("start button to input box Tenmoru / yardstick", start[0], start[1], "<= 1.10");

    std::array<std::array<Series, 2>, 2> times;  // [program][answer shown, next input box]
    std::array<std::optional<e2e::Box>, 2> boxes;
    std::array<std::string, 2> counts;  // private bytes and top-level windows before, then after
    const auto count = [&](std::size_t p) {
        const auto m = Memory(*sessions[p]);
        counts[p] += (counts[p].empty() ? "" : " -> ") +
                     std::to_string((m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage) / 1024) + " KiB, " +
                     std::to_string(e2e::Windows(sessions[p]->ProcessId()).size()) + " windows";
    };
    // After a failure, the input box again: every box closed, a new game.
    const auto guess = [&](const e2e::Session& session, std::optional<e2e::Box>& box, std::array<Series, 2>& time) {
        double nextMs = NAN;
        if (!Take(time[0], [&] {
                const HWND field = ::GetDlgItem(box->window, tenmoru::kInputFieldId);
                e2e::Require(::GetForegroundWindow() == box->window || e2e::BringToForeground(box->window),
                             "not in front");
                e2e::Require(e2e::WaitUntil([&] { return e2e::FocusedWindow(field) == field; }),
                             "the field has no focus");
                e2e::TypeText(L"0");
                e2e::Require(Poll([&] { return e2e::Text(field) == L"0"; }), "the guess did not arrive");
                double answerMs = 0;
                const e2e::Box answer = PressEnter(session, std::exchange(box, std::nullopt)->window, answerMs);
                e2e::Require(!answer.input && answer.text == tenmoru::kOutOfRange, "the guess got another answer");
                box = PressEnter(session, answer.window, nextMs);
                e2e::Require(box->input, "no input box after the answer");
                return answerMs;
            }))
            try {
                nextMs = NAN;
                for (std::optional<e2e::Box> open; (open = session.ShownBox());) session.Close(open->window, VK_ESCAPE);
                box = session.StartGame();
            } catch (const std::exception&) {
                box.reset();
            }
        time[1].push_back(nextMs);
    };
    for (std::size_t p = 0; p < 2; ++p) count(p), boxes[p] = sessions[p]->StartGame();
    constexpr int kBlock = 10;
    for (int b = 0; b * kBlock < guesses; ++b)
        for (const std::size_t p : {static_cast<std::size_t>(b & 1), static_cast<std::size_t>(~b & 1)})
            for (int g = b * kBlock; g < std::min(guesses, (b + 1) * kBlock) && boxes[p]; ++g)
                guess(*sessions[p], boxes[p], times[p]);
    for (std::size_t p = 0; p < 2; ++p) {
        if (boxes[p]) sessions[p]->Close(boxes[p]->window, VK_ESCAPE);
        count(p);
    }
    // The trend: the median of the last hundred guesses over the first hundred's.
    for (std::size_t t = 0; t < 2; ++t) {
        const std::string what = t == 0 ? "guess: OK to answer shown" : "guess: answer's OK to next input box";
        std::array<double, 2> trend{};
        for (std::size_t p = 0; p < 2; ++p) {
            const Series& v = times[p][t];
            const auto n = static_cast<std::ptrdiff_t>(std::min<std::size_t>(100, v.size() / 2));
            const double head = Median({v.begin(), v.begin() + n}), tail = Median({v.end() - n, v.end()});
            trend[p] = tail / head;
            SeriesRow(Of(what.c_str(), p), v, "ms", 1,
                      "first " + std::to_string(n) + " " + Fixed(head, 1) + ", last " + std::to_string(n) + " " +
                          Fixed(tail, 1) + ", last/first " + Fixed(trend[p], 3) + "; ");
        }
        Row(what + ", Tenmoru / yardstick", Fixed(Median(times[0][t]) / Median(times[1][t]), 3), "", "<= 1.10",
            "ratio of medians; last/first Tenmoru / yardstick " + Fixed(trend[0] / trend[1], 3));
    }
    for (std::size_t p = 0; p < 2; ++p) Row(Of("long game before -> after", p), counts[p], "");
}

// The version label's click to the About dialog shown (closed with Esc between), then the system-information button's
// click to the marker started, the registry naming it for the time.
void MeasureAbout(int count) {
    const e2e::Session session;
    Series open, tool;
    for (int i = 0; i < count; ++i)
        Take(open, [&] {
            e2e::Require(e2e::BringToForeground(session.Main()), "the main window is not in front");
            const auto clicked = Clock::now();
            e2e::ClickAt(session.Control(tenmoru::Tenmoru::lblver));
            const HWND about = NextInFront(session, session.Main(), tenmoru::kAboutFormClass);
            const double ms = MsSince(clicked);
            e2e::PressKey(VK_ESCAPE);
            e2e::Require(e2e::WaitUntil([&] { return !::IsWindow(about); }), "Esc did not close the About dialog");
            return ms;
        });
    SeriesRow("version label click to About dialog shown", open, "ms");

    const e2e::Restore named =
        e2e::SetMachineText(tenmoru::kSysInfoPathKey, L"PATH", (e2e::OwnFolder() / L"marker.exe").wstring());
    const HWND about = session.OpenAbout();
    for (int i = 0; i < count; ++i)
        Take(tool, [&] {
            e2e::Require(::GetForegroundWindow() == about || e2e::BringToForeground(about), "not in front");
            const auto clicked = Clock::now();
            e2e::ClickAt(::GetDlgItem(about, tenmoru::AboutForm::cmdSysInfo));
            e2e::Require(e2e::ToolStarted(e2e::ReactTimeout()).has_value(), "the marker did not start");
            return MsSince(clicked);
        });
    SeriesRow("system-information click to marker process started", tool, "ms");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 40, guesses = 1000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::wstring_view(argv[i]) == L"--rounds") rounds = std::max(1, _wtoi(argv[i + 1]));
        if (std::wstring_view(argv[i]) == L"--guesses") guesses = std::max(1, _wtoi(argv[i + 1]));
    }
    e2e::RecordToolStarts();  // for every program started from now on
    Row("figure", "value", "unit", "goal", "note");
    try {
        MeasureStartUp(rounds);
        MeasureGame(rounds, guesses);
        MeasureAbout(rounds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: stopped early: %s\n", e.what());
        return 1;
    }
    return 0;
}
