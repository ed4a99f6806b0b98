#pragma once
// Hosts the join controller in a terminal: posted commands and the two
// timers run on one CEventLoop, progress goes to a bar on standard error,
// messages to standard error, the result record to standard output.
//
// Ctrl-C (an interruption flag set by the signal handler) is turned into the
// controller's Cancel on the loop's thread, which ends the running tool at
// once; nothing of the job is left: no intermediate and no partial output.
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "base/EventLoop.h"
#include "engine/JoinController.h"

namespace corvane {

// Exit codes of corvane-cli join.
enum ECliExit : int { kExitJoined = 0, kExitFailed = 1, kExitUsage = 2, kExitInterrupted = 130 };

class CCliJoinHost : public IJoinHost {
 public:
  // periodMs: the queue and monitor timers' period.
  CCliJoinHost(CEventLoop& loop, bool fastJoin, unsigned periodMs, std::atomic<bool>& interrupted);
  ~CCliJoinHost() override;

  // Runs the job to its end and returns the exit code.
  int Run(CJoinController& controller);

  void PostCommand(int commandId) override;
  void StartQueueTimer() override;
  void StopTimers() override;
  void SetProgress(int position) override;
  void ShowMessage(const SUserMessage& message, const std::wstring& caption) override;
  // Only the fast join's question about inputs of different kinds is asked:
  // the answer is no, with the advice to join without --fast.
  bool AskYesNo(const SUserMessage& message, const std::wstring& caption) override;
  void JobEnded(EJobOutcome outcome) override;
  void RefreshFileList() override {}
  void UpdateButtons() override {}
  void EndProgram() override;
  bool PromptOutputPath(std::wstring& path) override { return false; }
  bool IsFastJoinChecked() override { return m_fastJoin; }
  void ShowResult(const SVideoPropertyInfo& info) override;
  void SendDiagnosticReport(const std::wstring& sourceUrl) override {}
  void SendCompletionNotice() override {}

 private:
  void Dispatch(int commandId);
  // True when the job was interrupted and has been cancelled.
  bool HandleInterruption();
  void KillTimer(unsigned& id);
  void Quit(int exitCode);
  void EndProgressLine();

  CEventLoop& m_loop;
  const bool m_fastJoin;
  const unsigned m_periodMs;
  std::atomic<bool>& m_interrupted;
  CJoinController* m_controller = nullptr;
  unsigned m_queueTimer = 0;
  unsigned m_monitorTimer = 0;
  int m_lastProgress = -1;
  bool m_progressShown = false;
  bool m_quitting = false;
};

}  // namespace corvane
