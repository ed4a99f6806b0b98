#include "online/ReadyStateWait.h"

#include <algorithm>

namespace corvane {

EReadyStateWaitResult WaitForReadyState(const SReadyStateWait& wait) {
  const uint64_t start = wait.nowMilliseconds();
  const uint32_t interval = std::max<uint32_t>(wait.intervalMs, 1);
  for (;;) {
    if (wait.readyState() == kReadyStateComplete) return EReadyStateWaitResult::kComplete;
    const uint64_t now = wait.nowMilliseconds();
    // A clock that went backwards counts as no time passed.
    const uint64_t elapsed = now > start ? now - start : 0;
    if (elapsed >= wait.limitMs) return EReadyStateWaitResult::kTimedOut;
    if (!wait.pumpMessages()) return EReadyStateWaitResult::kQuit;
    const uint64_t left = wait.limitMs - elapsed;
    wait.pause(static_cast<uint32_t>(std::max<uint64_t>(1, std::min<uint64_t>(interval, left))));
  }
}

}  // namespace corvane
