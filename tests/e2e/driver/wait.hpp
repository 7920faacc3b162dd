#pragma once
// Waiting for a condition with a deadline: the driver never sleeps for a fixed time.
#include <chrono>
#include <functional>

namespace driver {

using namespace std::chrono_literals;

// How long a window of the program under test may take to react.
inline constexpr std::chrono::milliseconds kReactTimeout = 10s;
// How long starting the program under Wine may take.
inline constexpr std::chrono::milliseconds kStartTimeout = 30s;

// Polls the condition until it holds or the timeout passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kReactTimeout);

}  // namespace driver
