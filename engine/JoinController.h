#pragma once
// The join controller: runs a join from the Join command to the result.
//
// It reacts to commands (posted through its host), two 1000 ms timers on the
// UI thread, and at most one worker running a tool step. The fast route runs
// synchronously; the MPEG route converts each input to an MPEG stream on a
// worker, joins the streams byte by byte, then converts the joined stream to
// the output's format. The progress values written by the worker's output
// handler are read by the monitor timer, which places the progress bar.
//
// Every tool run, probes included, every read of a whole file and every
// open of the inputs (the check that the output is none of them, the job's
// first step) runs on the worker: the UI thread only starts steps and looks
// at them, so the window answers while a file on a share that stopped
// answering keeps a probe or an open waiting. Such a step ends the job once
// it has given no sign of life for the probe answer limit.
//
// Threads: every method runs on the UI thread except the worker's output
// handler, which touches only the progress values and the name being
// opened (under m_progressLock), the cancel flag, the time of the last
// answer and the record its step fills, and may show the failure message
// and post Cancel through the host.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/JoinHost.h"
#include "engine/JoinJob.h"
#include "engine/JoinMode.h"
#include "engine/JoinSteps.h"
#include "engine/OutputKind.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {

// Command identifiers of the main window that drive a join.
enum EJoinCommand : int {
  kCmdClose = 2,
  kCmdJoin = 1035,
  kCmdCancel = 1037,
  kCmdFinish = 2016,
  kCmdResult = 2017,
  kCmdBuildFlv = 2019,
  kCmdMp4Pass1 = 2020,
  kCmdMp4Pass2 = 2021,
  kCmdBuildAvi = 2022,
  kCmdBuildWmv = 2025,
  kCmdBuildRm = 2031,
};

class CJoinController {
 public:
  // How long a probe may print nothing before the job ends with the file
  // named as one that did not answer.
  static constexpr std::chrono::milliseconds kProbeAnswerLimit{30000};

  CJoinController(IJoinHost& host, IJoinSteps& steps, SJoinJob& job, std::wstring toolPath,
                  std::wstring programFolder);
  ~CJoinController();
  CJoinController(const CJoinController&) = delete;
  CJoinController& operator=(const CJoinController&) = delete;

  void SetProbeAnswerLimit(std::chrono::milliseconds limit) { m_probeAnswerLimit = limit; }

  // Handles one of the EJoinCommand identifiers; false for any other.
  bool OnCommand(int commandId);
  // The queue timer's tick; false stops the timer.
  bool OnQueueTimer();
  // The monitor timer's tick (runs for the whole life of the window).
  void OnMonitorTimer();

  EJoinMode Mode() const { return static_cast<EJoinMode>(m_mode.load()); }
  // True from Join until the job has ended (joined, failed or cancelled).
  bool IsJobRunning() const { return Mode() != kJoinIdle; }
  corvane::OutputKind OutputKind() const { return m_outputKind; }
  bool IsCancelled() const { return m_cancel.load() != 0; }
  bool HasWorker() const { return m_worker != nullptr; }
  const std::vector<std::wstring>& Intermediates() const { return m_intermediates; }
  size_t QueueLength() const { return m_queue.size(); }
  const std::wstring& WorkingFolder() const { return m_workingFolder; }

 private:
  // Commands
  void Join();
  void Cancel();
  void Close();
  void Finish();
  void ShowJoinResult();
  void BuildFinal(EJoinMode mode);
  void BuildMp4Pass1();

  // Routes
  void ForgetChosenOutput();
  // The job's first step on the worker: is the output one of the inputs?
  void StartIdentityCheck();
  void OnIdentityChecked();
  // Ends the job that would write over the input of that index.
  void RefuseInputAsOutput(size_t input);
  void ResetJob();
  // Before a stream copy the worker describes the inputs; when it has
  // ended, the copy starts, or the job converts, asks, or fails.
  void StartFastCheck();
  void OnFastCheckEnded();
  void StartFastRoute();
  void StartConversionRoute();
  void OfferConversionAfterRefusedCopy();
  void EndDeclinedJob();

  // Steps of the conversion route
  void RunPerInputStep();
  // The per-input step once the worker has probed the queue's front input.
  void OnInputProbed();
  void RunByteCopyStep();
  void StartWorker(EJoinMode mode, const std::wstring& commandLine);
  // Starts body on the worker as the step of mode; a worker that cannot
  // start ends the job.
  void StartWorkerBody(EJoinMode mode, std::function<unsigned()> body);
  void StopWorker();
  void OnWorkerEnded();
  void UpdateProgressBar();
  void SetMode(EJoinMode mode);
  // The output's check on the worker: the tool must read it and find it as
  // long as the inputs together; OnOutputChecked goes on from there.
  void StartOutputCheck();
  void OnOutputChecked();
  // A probe on the worker that has printed nothing for too long.
  bool ProbeHasStalled() const;
  void OnProbeStalled();
  void NoteProbeAnswer();
  // The identity check is about to open this file (worker thread).
  void NoteOpening(const std::wstring& name);

  // Output handling (worker thread)
  bool OnProgressChunk(TStdStr<char>& accumulated, const TStdStr<char>& block);
  bool OnToolDone(const TStdStr<char>& accumulated);
  bool StepUsesInputTotal(EJoinMode mode) const;

  // Ends the job as failed (message shown when not empty) or cancelled; the
  // list is emptied unless keepList is set.
  void FailJob(const SUserMessage& message, EJobOutcome outcome = EJobOutcome::kFailed, bool keepList = false);
  void StopRunningTool();
  void DeleteIntermediates();
  void DiscardJobFiles();
  void DeleteWorkFolder();
  void ResetProgress();
  void AddInputLength(const SVideoPropertyInfo& record);

  IJoinHost& m_host;
  IJoinSteps& m_steps;
  SJoinJob& m_job;
  const std::wstring m_toolPath;
  const std::wstring m_programFolder;

  corvane::OutputKind m_outputKind = OutputKindNone;
  std::atomic<int> m_mode{kJoinIdle};
  std::wstring m_joinedStream;

  std::mutex m_progressLock;
  int64_t m_totalDuration = 0;
  int64_t m_currentTime = 0;

  std::wstring m_commandLine;
  std::wstring m_workingFolder;
  std::unique_ptr<IJoinWorker> m_worker;
  // What the worker does in its step besides running the step's tool.
  enum class EWorkerTask { kRunStep, kCheckIdentity, kCheckInputs, kProbeInput, kCheckOutput };
  EWorkerTask m_task = EWorkerTask::kRunStep;
  std::chrono::milliseconds m_probeAnswerLimit = kProbeAnswerLimit;
  // When the running probe started or last printed (steady clock, ms).
  std::atomic<int64_t> m_lastAnswerMs{0};
  std::atomic<int> m_cancel{0};
  // Set by the worker when its step failed (a failure text, or a body that
  // reports failure); read by the monitor when the worker has ended.
  std::atomic<bool> m_stepFailed{false};
  std::string m_failureTail;  // worker thread: the end of the previous block

  SVideoPropertyInfo m_probeRecord;
  SVideoPropertyInfo m_referenceRecord;
  SVideoPropertyInfo m_resultRecord;
  SIntermediateFormat m_intermediateFormat;
  std::deque<std::wstring> m_queue;
  std::vector<std::wstring> m_intermediates;
  double m_inputSeconds = 0;        // the inputs' lengths added up
  bool m_inputSecondsKnown = true;  // false when an input's length is unknown
  bool m_outputWritten = false;     // this job has begun to write the output
  bool m_outputVerified = false;    // the output was probed and found whole (m_resultRecord)
  std::vector<SVideoPropertyInfo> m_fastCheckRecords;  // written by the worker that describes the inputs
  bool m_fastRoute = false;                 // the job copies streams (chosen at Join)
  std::optional<size_t> m_sameFile;         // written by the identity check: the input that is the output
  std::wstring m_opening;                   // the file the identity check opens (under m_progressLock)
  bool m_busy = false;
  bool m_reportSent = false;
};

}  // namespace corvane
