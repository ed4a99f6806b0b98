#include "base/UiTimer.h"

#include <map>

#include "base/PerThread.h"

namespace corvane {
namespace {

// Running timers of this thread by identifier. Timer callbacks find their
// object here, so a callback for a timer that was just killed finds nothing.
std::map<uintptr_t, UiTimer*>& RunningTimers() { return PerThreadInstance<std::map<uintptr_t, UiTimer*>>(); }

}  // namespace

UiTimer::UiTimer(Handler handler, unsigned periodMs) : m_handler(std::move(handler)), m_periodMs(periodMs) {
  Start();
}

UiTimer::~UiTimer() { Kill(); }

void UiTimer::Start() {
  Kill();
  m_id = ArmPlatformTimer(m_periodMs);
  if (m_id != 0) RunningTimers()[m_id] = this;
}

void UiTimer::Kill() {
  if (m_id == 0) return;
  DisarmPlatformTimer(m_id);
  RunningTimers().erase(m_id);
  m_id = 0;
}

void UiTimer::Dispatch(uintptr_t id, uint32_t tickCount) {
  auto found = RunningTimers().find(id);
  if (found == RunningTimers().end()) return;
  UiTimer* timer = found->second;
  bool keep = false;
  try {
    Handler handler = timer->m_handler;  // a copy: the handler may destroy its timer
    keep = handler && handler(tickCount);
  } catch (...) {
    keep = false;
  }
  if (keep) return;
  // Only kill what is still the same running timer: the handler may have
  // destroyed or restarted it.
  found = RunningTimers().find(id);
  if (found != RunningTimers().end() && found->second == timer) timer->Kill();
}

}  // namespace corvane
