// The start-up benchmark's driver. Starts Tenmoru.exe and the minimal yardstick program in paired
// rounds, then drives one Tenmoru through its start button and a long game, and prints one table of
// medians, ratios and goals. It measures; it passes or fails nothing.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bench/options.hpp"
#include "bench/report_table.hpp"
#include "bench/stats.hpp"
#include "bench/win32/about_bench.hpp"
#include "bench/win32/game_bench.hpp"
#include "bench/win32/startup_bench.hpp"
#include "bench/win32/tenmoru_session.hpp"
#include "resources/resource_ids.h"

namespace {

using bench::Figure;

constexpr double kStartupRatioGoal = 1.10;
constexpr double kSizeGoalKiB = 64.0;
constexpr double kWorkingSetRatioGoal = 1.20;
constexpr std::size_t kFlatnessStretch = 100;  // guesses at each end of the long game compared
constexpr double kBytesPerKiB = 1024.0;
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

constexpr wchar_t kYardstickClass[] = L"TenmoruYardstick";

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

void Progress(std::string_view what) {
    std::fprintf(stderr, "bench: %.*s\n", static_cast<int>(what.size()), what.data());
    std::fflush(stderr);
}

std::filesystem::path OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path{path}.parent_path();
}

std::optional<double> FileSizeBytes(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

std::optional<double> Scaled(std::optional<double> value, double divisor) {
    if (!value) return std::nullopt;
    return *value / divisor;
}

std::string CountNote(const std::vector<double>& samples, std::size_t wanted, std::wstring_view failure) {
    std::string note = "n=" + std::to_string(samples.size());
    if (samples.size() < wanted) note += " of " + std::to_string(wanted);
    if (!failure.empty()) note += "; " + Narrow(failure);
    return note;
}

std::string FailureNote(const bench::StartupSamples& samples, std::size_t rounds) {
    std::string note = "n=" + std::to_string(samples.shownMs.size()) + " of " + std::to_string(rounds);
    if (samples.failures > 0) {
        note += "; " + std::to_string(samples.failures) + " trouble(s), last: " + Narrow(samples.lastFailure);
    }
    return note;
}

void AddStartupFigures(std::vector<Figure>& figures, const bench::PairedStartup& startup, std::size_t rounds) {
    const auto measuredMs = bench::Median(startup.measured.shownMs);
    const auto yardstickMs = bench::Median(startup.yardstick.shownMs);
    figures.push_back({"start to main window shown, Tenmoru (median)", measuredMs, "ms", 1, {},
                       FailureNote(startup.measured, rounds)});
    figures.push_back({"start to main window shown, yardstick (median)", yardstickMs, "ms", 1, {},
                       FailureNote(startup.yardstick, rounds)});
    figures.push_back({"start-up ratio Tenmoru / yardstick", bench::Ratio(measuredMs, yardstickMs), "x", 2,
                       kStartupRatioGoal, "ratio of the medians; same run, alternating order"});
    figures.push_back({"  median of the rounds' own ratios", bench::Median(startup.roundRatios), "x", 2,
                       kStartupRatioGoal, "n=" + std::to_string(startup.roundRatios.size()) +
                                              "; steadier when the load changes during the run"});

    const auto measuredPeak = bench::Median(startup.measured.peakWorkingSetBytes);
    const auto yardstickPeak = bench::Median(startup.yardstick.peakWorkingSetBytes);
    figures.push_back({"peak working set, Tenmoru (median)", Scaled(measuredPeak, kBytesPerMiB), "MiB", 2, {},
                       "n=" + std::to_string(startup.measured.peakWorkingSetBytes.size())});
    figures.push_back({"peak working set, yardstick (median)", Scaled(yardstickPeak, kBytesPerMiB), "MiB", 2, {},
                       "n=" + std::to_string(startup.yardstick.peakWorkingSetBytes.size())});
    figures.push_back({"peak working set ratio Tenmoru / yardstick", bench::Ratio(measuredPeak, yardstickPeak), "x",
                       2, kWorkingSetRatioGoal, "read once the shown window waits for input"});
}

void AddSizeFigures(std::vector<Figure>& figures, const std::wstring& program, const std::wstring& yardstick) {
    const auto programBytes = FileSizeBytes(program);
    const auto yardstickBytes = FileSizeBytes(yardstick);
    const std::string bytesNote = programBytes ? std::to_string(static_cast<long long>(*programBytes)) + " bytes"
                                               : "cannot read " + Narrow(program);
    figures.push_back({"size of Tenmoru.exe", Scaled(programBytes, kBytesPerKiB), "KiB", 1, kSizeGoalKiB, bytesNote});
    figures.push_back({"size of the yardstick", Scaled(yardstickBytes, kBytesPerKiB), "KiB", 1, {},
                       "same manifest and static link"});
}

void AddGameFigures(std::vector<Figure>& figures, const bench::Series& clicks, std::size_t clickCount,
                    const bench::GuessSeries& game, std::size_t guessCount) {
    figures.push_back({"start button click to input box shown (median)", bench::Median(clicks.samples), "ms", 1, {},
                       CountNote(clicks.samples, clickCount, clicks.failure)});
    figures.push_back({"guess: OK to answer shown (median)", bench::Median(game.answerShown.samples), "ms", 1, {},
                       CountNote(game.answerShown.samples, guessCount, game.answerShown.failure) + "; " +
                           std::to_string(game.unexpectedAnswers) + " unexpected answer(s)" +
                           (game.firstUnexpected.empty() ? "" : ", first: " + Narrow(game.firstUnexpected))});
    figures.push_back({"guess: OK to next input box (median)", bench::Median(game.perGuess.samples), "ms", 1, {},
                       CountNote(game.perGuess.samples, guessCount, game.perGuess.failure)});
    const bench::HeadTailMedians ends = bench::HeadAndTailMedians(game.perGuess.samples, kFlatnessStretch);
    figures.push_back({"  first 100 guesses (median)", ends.head, "ms", 1, {}, ""});
    figures.push_back({"  last 100 guesses (median)", ends.tail, "ms", 1, {}, ""});
    figures.push_back({"  last / first", bench::Ratio(ends.tail, ends.head), "x", 2, {},
                       "about 1.00 when the cost per guess stays flat"});
}

void AddAboutFigures(std::vector<Figure>& figures, const bench::Series& openings, const bench::Series& launches,
                     std::size_t count) {
    figures.push_back({"version label click to About dialog shown (median)", bench::Median(openings.samples), "ms",
                       1, {}, CountNote(openings.samples, count, openings.failure)});
    figures.push_back({"system-information click to process started (median)", bench::Median(launches.samples),
                       "ms", 1, {}, CountNote(launches.samples, count, launches.failure)});
}

int Run(const bench::Options& options) {
    const std::filesystem::path folder = OwnFolder();
    const std::wstring program = options.program.empty() ? (folder / L"Tenmoru.exe").wstring() : options.program;
    const std::wstring yardstick =
        options.yardstick.empty() ? (folder / L"bench_minimal.exe").wstring() : options.yardstick;
    std::vector<Figure> figures;

    Progress("start-up, " + std::to_string(options.warmup) + " warm-up and " + std::to_string(options.rounds) +
             " paired rounds");
    const bench::PairedStartup startup = bench::RunPairedStartup({program, TENMORU_MAIN_CLASS},
                                                                 {yardstick, kYardstickClass}, options.rounds,
                                                                 options.warmup);
    AddStartupFigures(figures, startup, options.rounds);
    AddSizeFigures(figures, program, yardstick);

    Progress("start button and a game of " + std::to_string(options.guesses) + " guesses");
    std::wstring failure;
    if (const std::optional<bench::TenmoruSession> session = bench::TenmoruSession::Open(program, failure)) {
        const bench::Series clicks = bench::MeasureStartClickToInputBox(*session, options.clicks);
        const bench::GuessSeries game = bench::MeasureLongGame(*session, options.guesses);
        AddGameFigures(figures, clicks, options.clicks, game, options.guesses);
        Progress("About dialog and system-information launcher");
        const bench::Series openings = bench::MeasureAboutOpening(*session, options.clicks);
        const bench::Series launches = bench::MeasureSysInfoStart(program, options.clicks);
        AddAboutFigures(figures, openings, launches, options.clicks);
    } else {
        figures.push_back({"Tenmoru.exe for the timings below start-up", {}, "", 0, {}, Narrow(failure)});
    }

    const std::string title = "Tenmoru benchmark: " + std::to_string(options.rounds) + " paired start-up rounds, " +
                              std::to_string(options.clicks) + " start clicks, " + std::to_string(options.guesses) +
                              " guesses, " + std::to_string(options.clicks) +
                              " About openings and launches; times from QueryPerformanceCounter";
    std::fputs(bench::FormatTable(title, figures).c_str(), stdout);
    std::fflush(stdout);
    return 0;
}

// Sleep(1) waits one millisecond rather than one scheduler tick while the benchmark runs.
class FineTimerResolution {
public:
    FineTimerResolution() noexcept { timeBeginPeriod(1); }
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution() { timeEndPeriod(1); }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const std::vector<std::wstring_view> arguments(argv + 1, argv + argc);
        const auto parsed = bench::ParseOptions(arguments);
        if (const auto* error = std::get_if<bench::OptionsError>(&parsed)) {
            std::fprintf(stderr, "bench_driver: %s\n%s", Narrow(error->message).c_str(),
                         Narrow(bench::Usage()).c_str());
            return 2;
        }
        const FineTimerResolution resolution;
        return Run(std::get<bench::Options>(parsed));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_driver: %s\n", error.what());
        return 1;
    }
}
