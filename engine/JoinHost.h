#pragma once
// What the join controller needs from the window (or program) that hosts it.
// The main dialog implements it with posted WM_COMMANDs, UI timers and its
// controls; the command-line joiner with a single-threaded loop; tests with a
// recorder.
#include <string>
#include <vector>

namespace corvane {

struct SVideoPropertyInfo;

// A text for the user, in English: the host translates the text and each
// argument, then puts the arguments in place of "%1", "%2", ...
struct SUserMessage {
  std::wstring text;
  std::vector<std::wstring> args;
};

// Fills "%1", "%2", ... of text with args (each placeholder at most nine).
std::wstring FillMessageArgs(std::wstring text, const std::vector<std::wstring>& args);

// How a job ended, for hosts that end with it (the command-line joiner).
enum class EJobOutcome { kJoined, kFailed, kCancelled, kDeclined };

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
  // An information message with an OK button. Called on the UI thread only.
  virtual void ShowMessage(const SUserMessage& message, const std::wstring& caption) = 0;
  // A question with Yes and No; true for Yes. Called on the UI thread only.
  virtual bool AskYesNo(const SUserMessage& message, const std::wstring& caption) = 0;
  virtual void RefreshFileList() = 0;
  // Called whenever the controller's step changes, and after list changes.
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
  // The job is over (after its result or message was shown).
  virtual void JobEnded(EJobOutcome /*outcome*/) {}
};

}  // namespace corvane
