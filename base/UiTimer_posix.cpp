#include "base/UiTimer.h"

#include <memory>

#include "base/EventLoop.h"

namespace corvane {

uintptr_t UiTimer::ArmPlatformTimer(unsigned periodMs) {
  // The callback learns its identifier after AddTimer returns it.
  auto id = std::make_shared<uintptr_t>(0);
  *id = CEventLoop::Current().AddTimer(periodMs, [id](uint32_t tick) { UiTimer::Dispatch(*id, tick); });
  return *id;
}

void UiTimer::DisarmPlatformTimer(uintptr_t id) { CEventLoop::Current().KillTimer(static_cast<unsigned>(id)); }

}  // namespace corvane
