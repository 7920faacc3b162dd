#pragma once
// Start-up cost of a program against a yardstick: paired rounds that start each program once,
// measuring the time from just before CreateProcess to its main window being shown, and its peak
// working set once the window has been drawn.
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct Contestant {
    std::wstring exe;
    std::wstring mainWindowClass;
};

struct StartupSamples {
    std::vector<double> shownMs;
    std::vector<double> peakWorkingSetBytes;
    std::size_t failures = 0;
    std::wstring lastFailure;
};

struct PairedStartup {
    StartupSamples measured;
    StartupSamples yardstick;
    // measured / yardstick start-up time of each round in which both started: load that changes
    // between rounds cancels out of these.
    std::vector<double> roundRatios;
};

// Runs warmup uncounted rounds, then the counted ones; each round starts both programs, in the
// order that alternates from round to round.
[[nodiscard]] PairedStartup RunPairedStartup(const Contestant& measured, const Contestant& yardstick,
                                             std::size_t rounds, std::size_t warmup);

}  // namespace bench
