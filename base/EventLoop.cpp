#include "base/EventLoop.h"

#include <memory>
#include <vector>

#include "base/PerThread.h"

namespace corvane {

CEventLoop& CEventLoop::Current() {
  return PerThreadInstance<CEventLoop>([] { return std::unique_ptr<CEventLoop>(new CEventLoop()); });
}

CEventLoop::CEventLoop() : m_start(Clock::now()) {}

void CEventLoop::Post(Task task) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tasks.push_back(std::move(task));
  }
  m_wake.notify_one();
}

unsigned CEventLoop::AddTimer(unsigned periodMs, TimerCallback callback) {
  const unsigned id = m_nextTimerId++;
  if (m_nextTimerId == 0) m_nextTimerId = 1;
  m_timers[id] = STimer{periodMs, Clock::now() + std::chrono::milliseconds(periodMs), std::move(callback)};
  return id;
}

void CEventLoop::KillTimer(unsigned id) { m_timers.erase(id); }

bool CEventLoop::HasTimer(unsigned id) const { return m_timers.count(id) != 0; }

uint32_t CEventLoop::TickCount() const {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start);
  return static_cast<uint32_t>(elapsed.count());
}

bool CEventLoop::RunPostedTasks() {
  std::deque<Task> tasks;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    tasks.swap(m_tasks);
  }
  for (auto& task : tasks) {
    if (task) task();
  }
  return !tasks.empty();
}

// Calls each timer that is due once; a callback may add or kill timers
// (itself included), so the due list is collected first and each id is
// looked up again before its call.
bool CEventLoop::RunDueTimers() {
  const Clock::time_point now = Clock::now();
  std::vector<unsigned> due;
  for (const auto& [id, timer] : m_timers) {
    if (timer.due <= now) due.push_back(id);
  }
  for (unsigned id : due) {
    auto found = m_timers.find(id);
    if (found == m_timers.end()) continue;
    // Like a system timer, a late timer fires once and then keeps its
    // period from now rather than catching up.
    found->second.due = now + std::chrono::milliseconds(found->second.periodMs);
    TimerCallback callback = found->second.callback;  // the timer may be killed inside
    callback(TickCount());
  }
  return !due.empty();
}

CEventLoop::Clock::time_point CEventLoop::NextDue(Clock::time_point limit) const {
  Clock::time_point next = limit;
  for (const auto& entry : m_timers) {
    if (entry.second.due < next) next = entry.second.due;
  }
  return next;
}

bool CEventLoop::PumpOnce(Clock::duration maxWait) {
  RunPostedTasks();
  RunDueTimers();
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_quit) return false;
    if (m_tasks.empty()) m_wake.wait_until(lock, NextDue(Clock::now() + maxWait));
    if (m_quit) return false;
  }
  RunPostedTasks();
  RunDueTimers();
  std::lock_guard<std::mutex> lock(m_mutex);
  return !m_quit;
}

int CEventLoop::Run() {
  while (PumpOnce(std::chrono::hours(1))) {
  }
  return m_exitCode;
}

void CEventLoop::Quit(int exitCode) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_quit = true;
    m_exitCode = exitCode;
  }
  m_wake.notify_one();
}

void CEventLoop::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_quit = false;
  m_exitCode = 0;
}

}  // namespace corvane
