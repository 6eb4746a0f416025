// Bounded waiting: every wait of the driver polls a condition and gives up after a limit.
#pragma once

#include <chrono>
#include <functional>

namespace qz::e2e {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

// Polls `condition` every `interval` until it holds or `limit` has passed; the last check is made at the limit.
bool WaitUntil(const std::function<bool()>& condition, Ms limit, Ms interval = Ms(10));

// Milliseconds since `start`.
long long ElapsedMs(Clock::time_point start);

}  // namespace qz::e2e
