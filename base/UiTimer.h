#pragma once
// A periodic timer whose handler runs on the thread that started it (the UI
// thread). The handler receives the tick count; returning false kills the
// timer. On Windows it is a thread timer without a window; natively it runs
// on the starting thread's CEventLoop, which that thread must pump.
#include <cstdint>
#include <functional>

namespace corvane {

class UiTimer {
 public:
  using Handler = std::function<bool(uint32_t tickCount)>;

  // Starts at once.
  UiTimer(Handler handler, unsigned periodMs);
  ~UiTimer();  // kills the timer
  UiTimer(const UiTimer&) = delete;
  UiTimer& operator=(const UiTimer&) = delete;

  // Kills a running timer first, then arms it again with the same period.
  void Start();
  void Kill();
  bool IsRunning() const { return m_id != 0; }

  // For the platform glue: runs the handler of the timer with this
  // identifier on the current thread, and kills the timer when the handler
  // returns false or throws (nothing may leave a timer callback). The
  // handler may destroy its own UiTimer.
  static void Dispatch(uintptr_t id, uint32_t tickCount);

 private:
  // Platform timer (UiTimer_win.cpp / _posix.cpp): arm returns 0 on failure.
  static uintptr_t ArmPlatformTimer(unsigned periodMs);
  static void DisarmPlatformTimer(uintptr_t id);

  Handler m_handler;
  unsigned m_periodMs;
  uintptr_t m_id = 0;
};

}  // namespace corvane
