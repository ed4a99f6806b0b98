#include "base/UiTimer.h"

#include <windows.h>

namespace corvane {
namespace {

void CALLBACK TimerProc(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD tickCount) {
  UiTimer::Dispatch(id, tickCount);
}

}  // namespace

uintptr_t UiTimer::ArmPlatformTimer(unsigned periodMs) {
  // A thread timer: no window, the system picks the identifier and the
  // callback runs from this thread's message loop.
  return SetTimer(/*window=*/nullptr, /*id=*/0, periodMs, &TimerProc);
}

void UiTimer::DisarmPlatformTimer(uintptr_t id) { KillTimer(/*window=*/nullptr, id); }

}  // namespace corvane
