#include "base/WorkerThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace corvane {

struct WorkerThread::SImpl {
  Body body;
  unsigned stopTimeoutMs;
  std::thread thread;
  bool running = false;
  std::atomic<bool> stopRequested{false};
  std::mutex mutex;
  std::condition_variable ended;
  bool bodyReturned = false;
};

WorkerThread::WorkerThread(Body body, unsigned stopTimeoutMs) : m_impl(std::make_unique<SImpl>()) {
  m_impl->body = std::move(body);
  m_impl->stopTimeoutMs = stopTimeoutMs;
}

WorkerThread::~WorkerThread() { Stop(); }

bool WorkerThread::Start() {
  SImpl& s = *m_impl;
  HasEnded();  // collects a thread whose body has returned
  if (s.thread.joinable()) return false;
  s.stopRequested = false;
  s.bodyReturned = false;
  try {
    s.thread = std::thread([&s] {
      try {
        if (s.body) s.body();
      } catch (...) {
        // Nothing may leave a thread body.
      }
      std::lock_guard<std::mutex> lock(s.mutex);
      s.bodyReturned = true;
      s.ended.notify_all();
    });
  } catch (...) {
    return false;
  }
  s.running = true;
  return true;
}

bool WorkerThread::HasEnded() {
  SImpl& s = *m_impl;
  if (s.stopRequested) return true;
  if (!s.thread.joinable()) return true;
  bool returned = false;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    returned = s.bodyReturned;
  }
  if (!returned) return false;
  s.thread.join();  // the body has returned: this is immediate
  s.running = false;
  return true;
}

void WorkerThread::Stop() {
  SImpl& s = *m_impl;
  if (!s.thread.joinable()) return;
  s.stopRequested = true;
  {
    std::unique_lock<std::mutex> lock(s.mutex);
    s.ended.wait_for(lock, std::chrono::milliseconds(s.stopTimeoutMs), [&s] { return s.bodyReturned; });
  }
  // Past the time-out the body is still waited for: its captured state must
  // stay valid while it runs.
  s.thread.join();
  s.stopRequested = false;
  s.running = false;
}

bool WorkerThread::IsRunning() const { return m_impl->running; }
bool WorkerThread::StopRequested() const { return m_impl->stopRequested; }

}  // namespace corvane
