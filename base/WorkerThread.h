#pragma once
// A one-shot worker thread: runs its body once; stopping waits a bounded
// time for it to end.
//
// The body must not throw (an escaping exception is caught and ends the
// thread) and never touches windows: it reports through values under a lock
// and posted messages. Start, HasEnded and Stop are called from the thread
// that owns the object (the UI thread).
#include <functional>
#include <memory>

namespace corvane {

class WorkerThread {
 public:
  using Body = std::function<unsigned()>;

  WorkerThread(Body body, unsigned stopTimeoutMs);
  ~WorkerThread();  // stops first
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Starts the thread running the body once; false when no thread could be
  // made or one is already running.
  bool Start();
  // Non-blocking: true when a stop was asked for or the body has returned.
  bool HasEnded();
  // Asks the body to stop (StopRequested) and waits up to the time-out. On
  // Windows a thread still running then is terminated; natively a thread
  // cannot be ended safely from outside, so Stop keeps waiting for it.
  void Stop();
  bool IsRunning() const;
  // For bodies that want to look: true once Stop has been called.
  bool StopRequested() const;

  struct SImpl;

 private:
  std::unique_ptr<SImpl> m_impl;
};

}  // namespace corvane
