#pragma once
// What the join controller needs from the window (or program) that hosts it.
// The main dialog implements it with posted WM_COMMANDs, UI timers and its
// controls; the command-line joiner with a single-threaded loop; tests with a
// recorder.
#include <string>

namespace corvane {

struct SVideoPropertyInfo;

class IJoinHost {
 public:
  virtual ~IJoinHost() = default;

  // Queues a command for the controller's OnCommand, after the current one.
  virtual void PostCommand(int commandId) = 0;
  // Starts the 1000 ms queue timer, which calls OnQueueTimer until it returns false.
  virtual void StartQueueTimer() = 0;
  // Ends the monitor, queue and web-panel timers (Close, and the end of a launched job).
  virtual void StopTimers() = 0;
  virtual void SetProgress(int position) = 0;
  // text and caption are English; the host translates them. Safe to call
  // from the worker thread (the message is modal there).
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
  virtual void RefreshFileList() = 0;
  virtual void UpdateButtons() = 0;
  // Destroys the window and quits the program with exit code 2.
  virtual void EndProgram() = 0;
  // Asks the user where to save; false when cancelled.
  virtual bool PromptOutputPath(std::wstring& path) = 0;
  virtual bool IsFastJoinChecked() = 0;
  // Shows the record of a finished join (the property dialog).
  virtual void ShowResult(const SVideoPropertyInfo& info) = 0;
  // Sends the diagnostic report about an input the tool described poorly:
  // the main window's web panel requests "/api_joinerlog.php" with the
  // current interface language and the job's source address. Not awaited.
  virtual void SendDiagnosticReport(const std::wstring& sourceUrl) = 0;
  // Tells the program that launched the job that it has finished.
  virtual void SendCompletionNotice() = 0;
  // Waits before the clean-up of a launched job that is being closed.
  virtual void Pause(unsigned milliseconds) = 0;
};

}  // namespace corvane
