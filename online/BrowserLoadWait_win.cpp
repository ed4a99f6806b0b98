#include "online/BrowserLoadWait.h"

#include <windows.h>

namespace corvane {
namespace {

// Dispatches what is waiting; false (with WM_QUIT posted again) when the
// program is quitting.
bool PumpPendingMessages() {
  MSG message = {};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

EReadyStateWaitResult WaitUntilLoaded(std::function<int()> readyState, uint32_t limitMs, uint32_t intervalMs) {
  SReadyStateWait wait;
  wait.readyState = std::move(readyState);
  wait.pumpMessages = &PumpPendingMessages;
  wait.pause = [](uint32_t ms) { Sleep(ms); };
  wait.nowMilliseconds = [] { return static_cast<uint64_t>(GetTickCount64()); };
  wait.intervalMs = intervalMs;
  wait.limitMs = limitMs;
  return WaitForReadyState(wait);
}

}  // namespace corvane
