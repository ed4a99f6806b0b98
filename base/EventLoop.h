#pragma once
// A tiny single-threaded event loop for hosts without a window system (the
// native command-line joiner and tests): timers and posted tasks run on the
// thread that pumps the loop.
//
// Post may be called from any thread; everything else belongs to the
// loop's thread. Each thread has its own loop (Current()).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace corvane {

class CEventLoop {
 public:
  using Task = std::function<void()>;
  // Receives the loop's tick count in milliseconds.
  using TimerCallback = std::function<void(uint32_t tickCount)>;
  using Clock = std::chrono::steady_clock;

  // The calling thread's loop.
  static CEventLoop& Current();

  // Thread-safe: queues a task for the loop's thread and wakes the loop.
  void Post(Task task);

  // A periodic timer; returns its identifier (never 0).
  unsigned AddTimer(unsigned periodMs, TimerCallback callback);
  void KillTimer(unsigned id);
  bool HasTimer(unsigned id) const;

  // Runs posted tasks and due timers until Quit is called; returns the code
  // given to Quit.
  int Run();
  // Runs what is due, waiting at most maxWait for something to happen.
  // Returns false once Quit has been called.
  bool PumpOnce(Clock::duration maxWait);
  void Quit(int exitCode);
  // Forgets a previous Quit so the loop can run again.
  void Reset();

  // Milliseconds since the loop was made (wraps like a tick count).
  uint32_t TickCount() const;

 private:
  CEventLoop();
  struct STimer {
    unsigned periodMs;
    Clock::time_point due;
    TimerCallback callback;
  };
  bool RunDueTimers();
  bool RunPostedTasks();
  Clock::time_point NextDue(Clock::time_point limit) const;

  mutable std::mutex m_mutex;  // guards m_tasks and m_quit
  std::condition_variable m_wake;
  std::deque<Task> m_tasks;
  bool m_quit = false;
  int m_exitCode = 0;

  std::map<unsigned, STimer> m_timers;
  unsigned m_nextTimerId = 1;
  Clock::time_point m_start;
};

}  // namespace corvane
