#pragma once
// A one-shot worker thread: runs its body once; stopping waits for it to end.
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
  // Asks the body to stop (StopRequested) and waits until it has returned.
  // A thread is never ended from outside (that cannot be done safely), so a
  // body must end soon after a stop: one that blocks has its blocking call
  // ended by its owner before Stop (a closed handle, a cancel event).
  void Stop();
  bool IsRunning() const;
  // For bodies that want to look: true once Stop has been called.
  bool StopRequested() const;

  struct SImpl;

 private:
  std::unique_ptr<SImpl> m_impl;
};

}  // namespace corvane
