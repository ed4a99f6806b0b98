#pragma once
// Lets the UI thread end the tool that a worker's RunTool is running.
//
// Cancel and Close must not wait for the tool's next output block: a tool
// that prints nothing for a while (an encoder busy with a long frame, a
// tool reading a slow disk) would otherwise keep the window waiting.
// RunTool attaches the child it started; Stop ends that child at once (its
// pipe then breaks and RunTool returns), and every child attached later,
// until Allow is called for the next job.
#include <functional>
#include <mutex>

namespace corvane {

class CToolStop {
 public:
  using Terminate = std::function<void()>;

  // Ends the attached child, if any, and every child attached from now on.
  void Stop();
  // Lets children run again (a new job starts).
  void Allow();
  bool IsStopped() const;

  // For RunTool: registers how to end the running child. False when a stop
  // was already asked for: the caller ends the child itself.
  bool Attach(Terminate terminate);
  // For RunTool: the child is about to be closed; Stop must not touch it any more.
  void Detach();

 private:
  mutable std::mutex m_lock;
  bool m_stopped = false;
  Terminate m_terminate;
};

}  // namespace corvane
