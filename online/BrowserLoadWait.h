#pragma once
// Waiting on the user-interface thread until a browser control has loaded
// its page (Windows only): WaitForReadyState with the control's ready state,
// this thread's message queue and the system's clock.
#include <cstdint>
#include <functional>

#include "online/ReadyStateWait.h"

namespace corvane {

// Polls readyState every intervalMs, dispatching this thread's pending
// messages between polls, until it gives 4 (complete) or limitMs have passed.
// A WM_QUIT met on the way is put back for the real message loop and ends
// the wait. readyState is asked afresh each time: the messages dispatched in
// between may take the control away (give 4 then to stop).
EReadyStateWaitResult WaitUntilLoaded(std::function<int()> readyState, uint32_t limitMs = 10000,
                                      uint32_t intervalMs = 100);

}  // namespace corvane
