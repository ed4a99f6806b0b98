#pragma once
// Runs this thread's message loop for about ms milliseconds: what a test
// does while windows it created answer timers and posted messages.

#include <windows.h>

namespace corvane::test {

inline void PumpMessagesFor(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(2);
  } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

}  // namespace corvane::test
