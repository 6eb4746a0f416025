#include "tests/e2e/driver/wait.h"

#include <thread>

namespace qz::e2e {

bool WaitUntil(const std::function<bool()>& condition, Ms limit, Ms interval) {
  const auto deadline = Clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(interval);
  }
}

long long ElapsedMs(Clock::time_point start) { return std::chrono::duration_cast<Ms>(Clock::now() - start).count(); }

}  // namespace qz::e2e
