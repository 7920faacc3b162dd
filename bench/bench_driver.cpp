// The benchmark's driver: plays Tenmoru.exe and the yardstick (bench_yardstick.exe, the least program
// with the same main window and boxes) side by side through the end-to-end driver, and prints one
// table of figures. It passes or fails nothing; a step that goes wrong counts as a failure in its note.
//     bench_driver.exe [--rounds N] [--guesses N]      (defaults 40 and 1000)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"
#include "game/texts.hpp"
#include "runtime/win32/input_box.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using tenmoru::Tenmoru;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The timed waits look every millisecond, so that a short figure is not rounded up to the driver's
// usual step.
bool Poll(const std::function<bool()>& condition) {
    return e2e::WaitUntil(condition, e2e::ReactTimeout(), std::chrono::milliseconds(1));
}

// The program's window of the class that comes to the front after the window before, once shown.
// Each look asks for the foreground window alone, and more only when it changed: the driver's walk
// over every window, made each millisecond, slows the program under test (which shares the window
// server) to a third of its pace.
HWND NextInFront(const e2e::Session& session, HWND before, const wchar_t* className) {
    HWND front = nullptr, other = before;  // other: the last window in front that is not the one awaited
    e2e::Require(Poll([&] {
                     if ((front = ::GetForegroundWindow()) == other || front == nullptr) return false;
                     DWORD processId = 0;
                     if (::GetWindowThreadProcessId(front, &processId) == 0 || processId != session.ProcessId() ||
                         e2e::ClassName(front) != className)
                         other = front;
                     return front != other && ::IsWindowVisible(front);
                 }),
                 "no window of the awaited class came to the front");
    return front;
}

// Keys go to the foreground window: the window is brought there first unless it already is.
void Front(HWND window) {
    if (::GetForegroundWindow() != window) {
        e2e::Require(e2e::BringToForeground(window), "a window did not come to the front");
    }
}

struct Series {
    std::vector<double> samples;
    int failures = 0;
};

double Median(std::vector<double> v) {
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    return (v[(v.size() - 1) / 2] + v[v.size() / 2]) / 2;
}

// The median of the first (or the last) count samples.
double Median(const std::vector<double>& v, std::size_t count, bool fromEnd) {
    count = std::min(count, v.size());
    return fromEnd ? Median({v.end() - static_cast<std::ptrdiff_t>(count), v.end()})
                   : Median({v.begin(), v.begin() + static_cast<std::ptrdiff_t>(count)});
}

// Runs one measured step (it returns milliseconds); a step that throws counts as a failure.
template <class Step>
bool Take(Series& series, Step step) {
    try {
        series.samples.push_back(step());
        return true;
    } catch (const std::exception& e) {
        ++series.failures;
        std::fprintf(stderr, "bench: %s\n", e.what());
        return false;
    }
}

// The printed table: figure, value, unit, goal, note.
std::vector<std::array<std::string, 5>> table{{"figure", "value", "unit", "goal", "note"}};

void Add(std::string figure, std::string value, std::string unit, std::string goal = "", std::string note = "") {
    table.push_back({std::move(figure), std::move(value), std::move(unit), std::move(goal), std::move(note)});
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Note(const Series& s) {
    return "n " + std::to_string(s.samples.size()) + ", failures " + std::to_string(s.failures);
}

// The spread of a series: its quartiles, "p25 .. p75".
std::string Quartiles(std::vector<double> v, int decimals) {
    if (v.empty()) return "-";
    std::sort(v.begin(), v.end());
    const auto at = [&](double q) {
        return v[static_cast<std::size_t>(std::lround(q * static_cast<double>(v.size() - 1)))];
    };
    return Fixed(at(0.25), decimals) + " .. " + Fixed(at(0.75), decimals);
}

// Where the true median of paired ratios lies with 95 % confidence: the order statistics at ranks
// n/2 -+ 0.98 sqrt(n) (the sign test's interval), "low .. high".
std::string MedianInterval(std::vector<double> v) {
    if (v.size() < 6) return "-";
    std::sort(v.begin(), v.end());
    const double n = static_cast<double>(v.size());
    const auto low = static_cast<std::size_t>(std::max(0.0, std::floor(n / 2 - 0.98 * std::sqrt(n))));
    return Fixed(v[low], 3) + " .. " + Fixed(v[v.size() - 1 - low], 3);
}

struct Program {
    const wchar_t* exe;
    const wchar_t* mainClass;
    std::string name;
};
const std::array<Program, 2> kPrograms{
    {{L"Tenmoru.exe", L"Tenmoru", "Tenmoru"}, {L"bench_yardstick.exe", L"TenmoruYardstick", "yardstick"}}};

// The order of the two programs in round r: alternating, so that neither always goes first.
std::array<std::size_t, 2> Order(int r) { return {static_cast<std::size_t>(r & 1), static_cast<std::size_t>(~r & 1)}; }

PROCESS_MEMORY_COUNTERS_EX Memory(const e2e::Session& session) {
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    ::GetProcessMemoryInfo(session.Process(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m);
    return m;
}

// The least program showing the main window alone: the yardstick of start-up and of the memory at
// start, which carries none of the boxes' code that the other yardstick needs for the guess figures.
const Program kWindowOnly{L"bench_window_yardstick.exe", L"TenmoruYardstick", "window-only yardstick"};

// Start to main window shown (the session's making) and the peak working set then, in rounds of all
// three programs in turn, each going first as often as the others; Tenmoru against each yardstick.
void MeasureStartUp(int rounds) {
    constexpr int kWarmUp = 2;
    const std::array<const Program*, 3> programs{&kPrograms[0], &kPrograms[1], &kWindowOnly};
    std::array<Series, 3> time, peak, warmUp;
    std::array<std::vector<double>, 3> timeRatios, peakRatios;  // [1], [2]: Tenmoru over that yardstick
    for (int r = -kWarmUp; r < rounds; ++r) {
        std::array<bool, 3> taken{};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t p = (static_cast<std::size_t>(r + kWarmUp) + k) % 3;
            taken[p] = Take(r < 0 ? warmUp[p] : time[p], [&] {
                std::optional<e2e::Session> session;
                const auto start = Clock::now();
                session.emplace(programs[p]->exe, programs[p]->mainClass);
                const double ms = MsSince(start);
                if (r >= 0)
                    peak[p].samples.push_back(static_cast<double>(Memory(*session).PeakWorkingSetSize) / 1048576);
                return ms;
            });
        }
        for (std::size_t y = 1; y < 3 && r >= 0 && taken[0]; ++y) {
            if (!taken[y]) continue;
            timeRatios[y].push_back(time[0].samples.back() / time[y].samples.back());
            peakRatios[y].push_back(peak[0].samples.back() / peak[y].samples.back());
        }
    }
    for (std::size_t p = 0; p < 3; ++p)
        Add("start to main window shown, " + programs[p]->name, Fixed(Median(time[p].samples), 1), "ms", "",
            "quartiles " + Quartiles(time[p].samples, 1) + "; " + Note(time[p]));
    for (std::size_t y = 1; y < 3; ++y) {
        const std::string over = "Tenmoru / " + programs[y]->name,
                          pairs = std::to_string(timeRatios[y].size()) + " pairs";
        Add("start-up " + over + ", ratio of medians", Fixed(Median(time[0].samples) / Median(time[y].samples), 3), "",
            "<= 1.05");
        Add("start-up " + over + ", median of paired ratios", Fixed(Median(timeRatios[y]), 3), "", "<= 1.05",
            "95% interval " + MedianInterval(timeRatios[y]) + ", quartiles " + Quartiles(timeRatios[y], 3) + "; " +
                pairs);
    }
    for (std::size_t p = 0; p < 3; ++p)
        Add("peak working set with the window shown, " + programs[p]->name, Fixed(Median(peak[p].samples), 2), "MiB",
            "", "quartiles " + Quartiles(peak[p].samples, 2) + "; n " + std::to_string(peak[p].samples.size()));
    for (std::size_t y = 1; y < 3; ++y)
        Add("peak working set Tenmoru / " + programs[y]->name + ", median of paired ratios",
            Fixed(Median(peakRatios[y]), 3), "", "<= 1.03",
            "95% interval " + MedianInterval(peakRatios[y]) + ", quartiles " + Quartiles(peakRatios[y], 3) + "; " +
                std::to_string(peakRatios[y].size()) + " pairs; difference of medians " +
                Fixed((Median(peak[0].samples) - Median(peak[y].samples)) * 1024, 0) + " KiB");
    for (const Program* program : programs) {
        const auto bytes = std::filesystem::file_size(e2e::OwnFolder() / program->exe);
        Add("size of " + std::filesystem::path(program->exe).string(), Fixed(static_cast<double>(bytes) / 1024, 1),
            "KiB", program == programs[0] ? "<= 88" : "", std::to_string(bytes) + " bytes");
    }
}

// The box that came to the front, as the driver reads it once its window walk finds it first.
e2e::Box ShownBox(const e2e::Session& session, HWND front) {
    std::optional<e2e::Box> box;
    e2e::Require(e2e::WaitUntil([&] { return (box = session.ShownBox()) && box->window == front; }),
                 "the box in front is not the program's");
    return *box;
}

// Enter on a box, timed to the next box shown.
e2e::Box PressEnter(const e2e::Session& session, HWND box, double& ms) {
    const auto pressed = Clock::now();
    e2e::PressKey(VK_RETURN);
    const HWND front = NextInFront(session, box, L"#32770");
    ms = MsSince(pressed);
    return ShownBox(session, front);
}

// Enter on the start button (focused with Tab where it is not) to the input box shown; the box is cancelled.
double StartButtonToInputBox(const e2e::Session& session) {
    const HWND start = session.Control(Tenmoru::cmdstat);
    e2e::Require(e2e::BringToForeground(session.Main()), "the main window did not come to the front");
    if (e2e::FocusedWindow(start) != start) e2e::PressKey(VK_TAB);
    e2e::Require(e2e::WaitUntil([&] { return e2e::FocusedWindow(start) == start; }), "the start button has no focus");
    double ms = 0;
    const e2e::Box box = PressEnter(session, session.Main(), ms);
    e2e::Require(box.input && !session.Close(box.window, VK_ESCAPE), "the start button's game did not end on Cancel");
    return ms;
}

// One long game of guesses "0", which the game answers as out of range and goes on; the private
// bytes (KiB) and the top-level windows of the process before and after.
struct LongGame {
    Series answerShown, nextInputBox;
    std::optional<e2e::Box> box;
    std::array<std::size_t, 2> privateKiB{}, windows{};
};

void Count(const e2e::Session& session, LongGame& game, std::size_t after) {
    const auto m = Memory(session);
    game.privateKiB[after] = (m.PrivateUsage != 0 ? m.PrivateUsage : m.PagefileUsage) / 1024;
    game.windows[after] = e2e::Windows(session.ProcessId()).size();
}

// Types the guess, then times OK on the input box to the answer shown and OK on the answer to the next input box.
void Guess(const e2e::Session& session, LongGame& game) {
    const HWND field = ::GetDlgItem(game.box->window, tenmoru::kInputFieldId);
    Front(game.box->window);
    e2e::Require(e2e::WaitUntil([&] { return e2e::FocusedWindow(field) == field; }), "the input field has no focus");
    e2e::TypeText(L"0");
    e2e::Require(Poll([&] { return e2e::Text(field) == L"0"; }), "the typed guess did not arrive");
    double answerMs = 0, nextMs = 0;
    const e2e::Box answer = PressEnter(session, std::exchange(game.box, std::nullopt)->window, answerMs);
    e2e::Require(!answer.input && answer.text == tenmoru::kOutOfRange, "the guess got another answer");
    Front(answer.window);
    game.box = PressEnter(session, answer.window, nextMs);
    e2e::Require(game.box->input, "no input box after the answer");
    game.answerShown.samples.push_back(answerMs);
    game.nextInputBox.samples.push_back(nextMs);
}

// After a failed guess: the input box again, whatever was open.
void Recover(const e2e::Session& session, LongGame& game) {
    ++game.answerShown.failures;
    ++game.nextInputBox.failures;
    try {
        for (int step = 0; step < 3 && !(game.box && game.box->input); ++step) {
            game.box = session.ShownBox();
            game.box = !game.box ? session.StartGame() : game.box->input ? game.box : session.Close(game.box->window);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: no way back to the game: %s\n", e.what());
    }
}

void ReportGuesses(const std::array<LongGame, 2>& games, std::size_t guesses) {
    const std::size_t k = std::min<std::size_t>(100, guesses / 2);
    for (const auto& [what, shortName, series] :
         {std::tuple{"OK to answer shown", "OK to answer", &LongGame::answerShown},
          std::tuple{"answer's OK to next input box", "OK to next box", &LongGame::nextInputBox}}) {
        std::array<double, 2> trend{};
        for (std::size_t p = 0; p < 2; ++p) {
            const auto& v = (games[p].*series).samples;
            const double first = Median(v, k, false), last = Median(v, k, true);
            trend[p] = last / first;
            Add(std::string("guess: ") + what + ", " + kPrograms[p].name, Fixed(Median(v), 1), "ms", "",
                "first " + std::to_string(k) + " " + Fixed(first, 1) + ", last " + std::to_string(k) + " " +
                    Fixed(last, 1) + ", last/first " + Fixed(trend[p], 3) + "; " + Note(games[p].*series));
        }
        Add(std::string("guess: ") + shortName + ", last/first Tenmoru / yardstick", Fixed(trend[0] / trend[1], 3), "");
    }
}

// Both programs open at once: the start button, then the long game in alternating blocks.
void MeasureGame(int clicks, int guesses) {
    const e2e::Session tenmoruSession(kPrograms[0].exe, kPrograms[0].mainClass);
    const e2e::Session yardstickSession(kPrograms[1].exe, kPrograms[1].mainClass);
    const std::array<const e2e::Session*, 2> sessions{&tenmoruSession, &yardstickSession};
    std::array<Series, 2> start;
    for (int i = 0; i < clicks; ++i)
        for (const std::size_t p : Order(i)) Take(start[p], [&] { return StartButtonToInputBox(*sessions[p]); });
    for (std::size_t p = 0; p < 2; ++p)
        Add("start button (Enter) to input box shown, " + kPrograms[p].name, Fixed(Median(start[p].samples), 1), "ms",
            "", Note(start[p]));

    std::array<LongGame, 2> games;
    for (std::size_t p = 0; p < 2; ++p) {
        Count(*sessions[p], games[p], 0);
        games[p].box = sessions[p]->StartGame();
    }
    // Short blocks, so that a burst of load from elsewhere, which lasts seconds, falls on both
    // programs' first (or last) hundred guesses alike.
    constexpr int kBlock = 10;
    for (int b = 0; b * kBlock < guesses; ++b)
        for (const std::size_t p : Order(b))
            for (int g = b * kBlock; g < std::min(guesses, (b + 1) * kBlock); ++g) try {
                    Guess(*sessions[p], games[p]);
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "bench: %s guess %d: %s\n", kPrograms[p].name.c_str(), g + 1, e.what());
                    Recover(*sessions[p], games[p]);
                }
    for (std::size_t p = 0; p < 2; ++p) {
        if (games[p].box) sessions[p]->Close(games[p].box->window, VK_ESCAPE);
        Count(*sessions[p], games[p], 1);
    }
    ReportGuesses(games, static_cast<std::size_t>(guesses));
    for (std::size_t p = 0; p < 2; ++p)
        Add("long game: private bytes before -> after, " + kPrograms[p].name,
            std::to_string(games[p].privateKiB[0]) + " -> " + std::to_string(games[p].privateKiB[1]), "KiB");
    for (std::size_t p = 0; p < 2; ++p)
        Add("long game: top-level windows before -> after, " + kPrograms[p].name,
            std::to_string(games[p].windows[0]) + " -> " + std::to_string(games[p].windows[1]), "");
}

// A copy of the marker in a folder of its own under C:\, named by the system-information tool's
// registry value PATH while this lives; the value is restored after.
class MarkerTool {
public:
    // Where every marker started by the programs of this run records its start (set before any starts).
    static std::filesystem::path Record() { return e2e::OwnFolder() / L"marker.started"; }

    MarkerTool() {
        std::filesystem::create_directories(folder_);
        std::filesystem::copy_file(e2e::OwnFolder() / L"marker.exe", tool_,
                                   std::filesystem::copy_options::overwrite_existing);
        std::wstring old(4096, L'\0');
        DWORD bytes = static_cast<DWORD>(old.size() * sizeof(wchar_t));
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"PATH", RRF_RT_REG_SZ, nullptr, old.data(), &bytes) ==
            ERROR_SUCCESS)
            old_ = old.c_str();
        Set(tool_.wstring());
    }
    ~MarkerTool() {
        if (old_)
            Set(*old_);
        else
            ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"PATH");
        std::error_code error;  // the last marker may still be ending
        e2e::WaitUntil([&] { return std::filesystem::remove_all(folder_, error) != static_cast<std::uintmax_t>(-1); });
    }
    MarkerTool(const MarkerTool&) = delete;
    MarkerTool& operator=(const MarkerTool&) = delete;

    // Whether a marker started (its record appeared) within the time a window has to react; the record goes.
    [[nodiscard]] bool Started() const {
        const std::filesystem::path record = Record();
        std::error_code error;
        return Poll([&] { return std::filesystem::exists(record); }) && std::filesystem::remove(record, error);
    }

private:
    static constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    void Set(const std::wstring& value) const {
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, L"PATH", REG_SZ, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    std::filesystem::path folder_ = L"C:\\tenmoru-bench-" + std::to_wstring(::GetCurrentProcessId());
    std::filesystem::path tool_ = folder_ / L"MSINFO32.EXE";
    std::optional<std::wstring> old_;
};

// The version label's click to the About dialog shown (closed with Esc between), then the
// system-information button's click to the marker started.
void MeasureAbout(int count) {
    const e2e::Session session;
    Series open, tool;
    for (int i = 0; i < count; ++i)
        Take(open, [&] {
            e2e::Require(e2e::BringToForeground(session.Main()), "the main window did not come to the front");
            const auto clicked = Clock::now();
            e2e::ClickAt(session.Control(Tenmoru::lblver));
            const HWND about = NextInFront(session, session.Main(), tenmoru::kAboutFormClass);
            const double ms = MsSince(clicked);
            Front(about);
            e2e::PressKey(VK_ESCAPE);
            e2e::Require(e2e::WaitUntil([&] { return !::IsWindow(about); }), "Esc did not close the About dialog");
            return ms;
        });
    Add("version label click to About dialog shown", Fixed(Median(open.samples), 1), "ms", "", Note(open));

    const MarkerTool marker;
    e2e::Require(e2e::BringToForeground(session.Main()), "the main window did not come to the front");
    const HWND about = session.OpenAbout();
    e2e::Require(about != nullptr, "the version label showed no About dialog");
    for (int i = 0; i < count; ++i)
        Take(tool, [&] {
            Front(about);
            const auto clicked = Clock::now();
            e2e::ClickAt(::GetDlgItem(about, tenmoru::AboutForm::cmdSysInfo));
            e2e::Require(marker.Started(), "the marker did not start");
            return MsSince(clicked);
        });
    Add("system-information click to marker process started", Fixed(Median(tool.samples), 1), "ms", "", Note(tool));
}

int Option(int argc, wchar_t** argv, const wchar_t* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0) return std::max(1, _wtoi(argv[i + 1]));
    return fallback;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = Option(argc, argv, L"--rounds", 40), guesses = Option(argc, argv, L"--guesses", 1000);
    ::SetEnvironmentVariableW(L"TENMORU_MARKER_RECORD", MarkerTool::Record().c_str());
    int status = 0;
    try {
        MeasureStartUp(rounds);
        MeasureGame(rounds, guesses);
        MeasureAbout(rounds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: stopped early: %s\n", e.what());
        status = 1;
    }
    for (const auto& row : table)
        std::printf("%-56s %-13s %-4s %-8s %s\n", row[0].c_str(), row[1].c_str(), row[2].c_str(), row[3].c_str(),
                    row[4].c_str());
    return status;
}
