#include "cli/CliJoinHost.h"

#include "base/TextConvert.h"
#include "cli/ProbeReport.h"
#include "cli/ProgressBar.h"

namespace corvane {

CCliJoinHost::CCliJoinHost(CEventLoop& loop, bool fastJoin, unsigned periodMs, std::atomic<bool>& interrupted)
    : m_loop(loop), m_fastJoin(fastJoin), m_periodMs(periodMs), m_interrupted(interrupted) {}

CCliJoinHost::~CCliJoinHost() { StopTimers(); }

int CCliJoinHost::Run(CJoinController& controller) {
  m_controller = &controller;
  m_monitorTimer = m_loop.AddTimer(m_periodMs, [this](uint32_t) {
    if (HandleInterruption()) return;
    m_controller->OnMonitorTimer();
  });
  PostCommand(kCmdJoin);
  const int exitCode = m_loop.Run();
  EndProgressLine();
  return exitCode;
}

void CCliJoinHost::PostCommand(int commandId) {
  m_loop.Post([this, commandId] { Dispatch(commandId); });
}

void CCliJoinHost::Dispatch(int commandId) {
  if (m_quitting || HandleInterruption()) return;
  m_controller->OnCommand(commandId);
  if (m_quitting) return;
  switch (commandId) {
    case kCmdJoin:
      if (m_controller->Mode() == kJoinIdle && m_controller->QueueLength() == 0) {
        std::fprintf(stderr, "Nothing to join.\n");
        Quit(kExitFailed);
      }
      break;
    default:
      break;
  }
}

bool CCliJoinHost::HandleInterruption() {
  if (!m_interrupted.load()) return false;
  if (m_quitting) return true;
  // Cancel ends the tool and removes whatever the job had written.
  m_controller->OnCommand(kCmdCancel);
  EndProgressLine();
  std::fprintf(stderr, "Interrupted: the join was cancelled.\n");
  Quit(kExitInterrupted);
  return true;
}

void CCliJoinHost::StartQueueTimer() {
  KillTimer(m_queueTimer);
  m_queueTimer = m_loop.AddTimer(m_periodMs, [this](uint32_t) {
    if (HandleInterruption()) return;
    if (!m_controller->OnQueueTimer()) KillTimer(m_queueTimer);
  });
}

void CCliJoinHost::KillTimer(unsigned& id) {
  if (id != 0) m_loop.KillTimer(id);
  id = 0;
}

void CCliJoinHost::StopTimers() {
  KillTimer(m_queueTimer);
  KillTimer(m_monitorTimer);
}

void CCliJoinHost::SetProgress(int position) {
  // The controller resets the bar to 0 when a job ends; an empty bar after
  // the result would only confuse.
  if (position == m_lastProgress || position <= 0) return;
  m_lastProgress = position;
  std::fprintf(stderr, "\r%s", RenderProgressBar(position).c_str());
  std::fflush(stderr);
  m_progressShown = true;
}

void CCliJoinHost::EndProgressLine() {
  if (!m_progressShown) return;
  std::fputc('\n', stderr);
  m_progressShown = false;
}

void CCliJoinHost::ShowMessage(const SUserMessage& message, const std::wstring& /*caption*/) {
  EndProgressLine();
  std::fprintf(stderr, "%s\n", WideToUtf8(FillMessageArgs(message.text, message.args)).c_str());
}

bool CCliJoinHost::AskYesNo(const SUserMessage& message, const std::wstring& caption) {
  ShowMessage(message, caption);
  std::fprintf(stderr, "--fast copies the streams as they are; join without --fast to convert the inputs.\n");
  return false;
}

void CCliJoinHost::JobEnded(EJobOutcome outcome) {
  switch (outcome) {
    case EJobOutcome::kJoined: Quit(kExitJoined); break;
    case EJobOutcome::kCancelled: Quit(m_interrupted.load() ? kExitInterrupted : kExitFailed); break;
    case EJobOutcome::kFailed:
    case EJobOutcome::kDeclined: Quit(kExitFailed); break;
  }
}

void CCliJoinHost::ShowResult(const SVideoPropertyInfo& info) {
  EndProgressLine();
  std::fputs(FormatProbeReport(info).c_str(), stdout);
  std::fflush(stdout);
}

void CCliJoinHost::EndProgram() { Quit(kExitFailed); }

void CCliJoinHost::Quit(int exitCode) {
  if (m_quitting) return;
  m_quitting = true;
  StopTimers();
  m_loop.Quit(exitCode);
}

}  // namespace corvane
