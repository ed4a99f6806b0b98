#include "base/WorkerThread.h"

#include <windows.h>
#include <process.h>

#include "base/Handle.h"

namespace corvane {

struct WorkerThread::SImpl {
  Body body;
  unsigned stopTimeoutMs;
  CHandle thread;
  CHandle stopEvent;    // manual reset, set by Stop
  CHandle secondEvent;  // manual reset, created signalled
  bool running = false;

  static unsigned __stdcall ThreadMain(void* param) {
    auto* self = static_cast<SImpl*>(param);
    try {
      return self->body ? self->body() : 0;
    } catch (...) {
      return 0;  // nothing may leave a thread body
    }
  }
};

WorkerThread::WorkerThread(Body body, unsigned stopTimeoutMs) : m_impl(std::make_unique<SImpl>()) {
  m_impl->body = std::move(body);
  m_impl->stopTimeoutMs = stopTimeoutMs;
}

WorkerThread::~WorkerThread() { Stop(); }

bool WorkerThread::Start() {
  SImpl& s = *m_impl;
  if (s.thread && WaitForSingleObject(s.thread.Get(), 0) == WAIT_OBJECT_0) s.thread.Close();
  if (s.thread) return false;
  s.stopEvent.Reset(CreateEventW(/*security=*/nullptr, /*manualReset=*/TRUE, /*initial=*/FALSE, /*name=*/nullptr));
  s.secondEvent.Reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
  if (!s.stopEvent || !s.secondEvent) return false;
  const uintptr_t handle = _beginthreadex(/*security=*/nullptr, /*stack=*/0, &SImpl::ThreadMain, &s,
                                          /*flags=*/0, /*threadId=*/nullptr);
  if (handle == 0) return false;
  // A body that has already returned by now ran all the same: HasEnded
  // reports it (a quick step, such as a look at a file that does not exist).
  s.thread.Reset(reinterpret_cast<HANDLE>(handle));
  s.running = true;
  return true;
}

bool WorkerThread::HasEnded() {
  SImpl& s = *m_impl;
  if (s.stopEvent && WaitForSingleObject(s.stopEvent.Get(), 0) == WAIT_OBJECT_0) return true;
  if (!s.thread) return true;
  if (WaitForSingleObject(s.thread.Get(), 0) == WAIT_OBJECT_0) {
    s.thread.Close();
    s.running = false;
    return true;
  }
  return false;
}

void WorkerThread::Stop() {
  SImpl& s = *m_impl;
  if (!s.thread) return;
  SetEvent(s.stopEvent.Get());
  // Past the time-out the body is still waited for: a thread killed from
  // outside can die holding a lock of the process (the heap's, the loader's)
  // or half-way through a change of shared state, and the body's captured
  // state must stay valid while it runs. Bodies end on a stop by themselves
  // (their blocking calls are ended by their owners first).
  if (WaitForSingleObject(s.thread.Get(), s.stopTimeoutMs) == WAIT_TIMEOUT) {
    WaitForSingleObject(s.thread.Get(), INFINITE);
  }
  s.thread.Close();
  ResetEvent(s.stopEvent.Get());
  s.running = false;
}

bool WorkerThread::IsRunning() const { return m_impl->running; }

bool WorkerThread::StopRequested() const {
  const SImpl& s = *m_impl;
  return s.stopEvent && WaitForSingleObject(s.stopEvent.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace corvane
