#pragma once
// Timings of the About dialog: the version label's click to the dialog being shown, and the
// system-information button's click to the tool's process being started.
#include <cstddef>
#include <string>

#include "bench/win32/game_bench.hpp"

namespace bench {

// Clicks the version label `count` times; each sample is the time from the click to the About
// dialog being shown. The dialog is closed with its OK button after each.
[[nodiscard]] Series MeasureAboutOpening(const TenmoruSession& session, std::size_t count);

// Starts its own Tenmoru.exe, opens the About dialog and clicks its system-information button
// `count` times; each sample is the time from the click to a new child process of Tenmoru being
// listed. The tools started are ended after the last click. (A job object with a completion port
// would report each start without polling, but with one around Tenmoru the Wine 8 server crashed.)
[[nodiscard]] Series MeasureSysInfoStart(const std::wstring& exe, std::size_t count);

}  // namespace bench
