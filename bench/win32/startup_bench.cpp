#include "bench/win32/startup_bench.hpp"

#include <windows.h>

#include <optional>

#include "bench/round_order.hpp"
#include "bench/stats.hpp"
#include "bench/win32/launched_program.hpp"
#include "bench/win32/stopwatch.hpp"

namespace bench {

namespace {

constexpr DWORD kShowTimeoutMs = 30000;
constexpr DWORD kIdleTimeoutMs = 5000;
constexpr DWORD kCloseTimeoutMs = 10000;

struct StartupSample {
    double shownMs;
    std::optional<double> peakWorkingSetBytes;
};

std::optional<StartupSample> MeasureOneStart(const Contestant& contestant, std::wstring& failure) {
    const Stopwatch clock;
    std::optional<LaunchedProgram> program = LaunchedProgram::Start(contestant.exe);
    if (!program) {
        failure = L"cannot start " + contestant.exe + L" (error " + std::to_wstring(GetLastError()) + L")";
        return std::nullopt;
    }
    const HWND window = program->WaitForMainWindow(contestant.mainWindowClass, kShowTimeoutMs);
    const double shownMs = clock.ElapsedMs();
    if (window == nullptr) {
        failure = L"no shown window of class " + contestant.mainWindowClass;
        return std::nullopt;
    }
    // Once the program waits for input its first paint is done, and the memory that took counts.
    WaitForInputIdle(program->Process(), kIdleTimeoutMs);
    const std::optional<double> peak = program->PeakWorkingSetBytes();
    if (!program->Close(window, kCloseTimeoutMs)) failure = L"did not end on WM_CLOSE; terminated";
    return StartupSample{shownMs, peak};
}

// Starts the contestant once and records what was measured; returns the start-up time.
std::optional<double> Record(StartupSamples& samples, const Contestant& contestant) {
    std::wstring failure;
    const std::optional<StartupSample> sample = MeasureOneStart(contestant, failure);
    if (!failure.empty()) {
        ++samples.failures;
        samples.lastFailure = failure;
    }
    if (!sample) return std::nullopt;
    samples.shownMs.push_back(sample->shownMs);
    if (sample->peakWorkingSetBytes) samples.peakWorkingSetBytes.push_back(*sample->peakWorkingSetBytes);
    return sample->shownMs;
}

}  // namespace

PairedStartup RunPairedStartup(const Contestant& measured, const Contestant& yardstick, std::size_t rounds,
                               std::size_t warmup) {
    for (std::size_t round = 0; round < warmup; ++round) {
        std::wstring ignored;
        for (const Contender contender : RoundOrder(round)) {
            (void)MeasureOneStart(contender == Contender::Measured ? measured : yardstick, ignored);
        }
    }
    PairedStartup result;
    for (std::size_t round = 0; round < rounds; ++round) {
        std::optional<double> measuredMs;
        std::optional<double> yardstickMs;
        for (const Contender contender : RoundOrder(round)) {
            if (contender == Contender::Measured) {
                measuredMs = Record(result.measured, measured);
            } else {
                yardstickMs = Record(result.yardstick, yardstick);
            }
        }
        if (const std::optional<double> ratio = Ratio(measuredMs, yardstickMs)) result.roundRatios.push_back(*ratio);
    }
    return result;
}

}  // namespace bench
