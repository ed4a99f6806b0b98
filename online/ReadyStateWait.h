#pragma once
// Waiting for a browser control to finish loading, while the window stays
// responsive: poll the ready state at a fixed interval, dispatch pending
// window messages between polls, give up after a time limit.
//
// The clock, the poll, the message pump and the pause are handed in, so the
// loop runs the same under the real control and in tests.
#include <cstdint>
#include <functional>

namespace corvane {

constexpr int kReadyStateComplete = 4;  // READYSTATE_COMPLETE

struct SReadyStateWait {
  std::function<int()> readyState;           // the control's ready state, 0..4
  std::function<bool()> pumpMessages;        // false: the program is quitting, stop
  std::function<void(uint32_t)> pause;       // sleeps (milliseconds); never 0
  std::function<uint64_t()> nowMilliseconds;  // a monotonic clock
  uint32_t intervalMs = 100;
  uint32_t limitMs = 10000;
};

// kNotWaited: the caller saw that no page could load and did not wait.
enum class EReadyStateWaitResult { kComplete, kTimedOut, kQuit, kNotWaited };

// Polls until the state is complete, the limit has passed since the call, or
// the pump reports that the program is quitting. The state is polled at
// once; between polls the messages are pumped and the loop pauses for the
// interval (less before the limit), so it never spins.
EReadyStateWaitResult WaitForReadyState(const SReadyStateWait& wait);

}  // namespace corvane
