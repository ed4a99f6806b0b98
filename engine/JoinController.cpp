#include "engine/JoinController.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/FastJoinCheck.h"
#include "engine/ProgressBlock.h"
#include "engine/ProgressPosition.h"

namespace corvane {
namespace {

constexpr wchar_t kTipsCaption[] = L"Tips";
constexpr wchar_t kFailedToConvert[] = L"Failed to convert file.";
constexpr wchar_t kFailedToMerge[] = L"Failed to merge files.";
// One line each: the language packs hold one line per text.
constexpr wchar_t kCannotRead[] = L"This file cannot be read as a video: %1";
constexpr wchar_t kNoPicture[] = L"This file has no picture to join: %1";
constexpr wchar_t kFilesDiffer[] =
    L"Fast-Join copies files of one kind only, and %1 differs from the first file in its %2 (%3 instead of %4). "
    L"Join the files by converting them instead?";
constexpr wchar_t kCopyRefused[] =
    L"Fast-Join could not copy these files into this kind of file. Join the files by converting them instead?";
constexpr wchar_t kOutputIsInput[] = L"The output file is one of the files to join: %1";
constexpr wchar_t kDidNotAnswer[] = L"This file cannot be read: it did not answer: %1";

// A joined file may differ from the inputs' added lengths by rounding at
// each seam; a missing input or a wrong length in the file's header is far
// more than this.
constexpr double kLengthTolerance = 0.5;
constexpr double kLengthTolerancePerInput = 0.04;

bool IsFinalConversion(EJoinMode mode) { return mode >= kJoinFinalAvi && mode <= kJoinMp4Pass2; }

// How each output kind is built after the byte copy: the command posted
// first, the command that runs the final conversion, and that conversion's
// mode. MP4 runs a first pass before its final one; the others convert once.
struct SFinalStep {
  OutputKind kind;
  int firstCommand;
  int finalCommand;
  EJoinMode finalMode;
};
const SFinalStep kFinalSteps[] = {
    {OutputKindAvi, kCmdBuildAvi, kCmdBuildAvi, kJoinFinalAvi},
    {OutputKindFlv, kCmdBuildFlv, kCmdBuildFlv, kJoinFinalFlv},
    {OutputKindRm, kCmdBuildRm, kCmdBuildRm, kJoinFinalRm},
    {OutputKindWmv, kCmdBuildWmv, kCmdBuildWmv, kJoinFinalWmv},
    {OutputKindMp4, kCmdMp4Pass1, kCmdMp4Pass2, kJoinMp4Pass2},
};

const SFinalStep* FinalStepOfKind(OutputKind kind) {
  for (const SFinalStep& step : kFinalSteps) {
    if (step.kind == kind) return &step;
  }
  return nullptr;
}

const SFinalStep* FinalStepOfCommand(int commandId) {
  for (const SFinalStep& step : kFinalSteps) {
    if (step.finalCommand == commandId) return &step;
  }
  return nullptr;
}

// Kinds the stream-copy route can write.
bool FastRouteWrites(OutputKind kind) { return kind == OutputKindMp4 || kind == OutputKindFlv; }

SUserMessage Message(const wchar_t* text, std::vector<std::wstring> args = {}) { return {text, std::move(args)}; }

int64_t SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

CJoinController::CJoinController(IJoinHost& host, IJoinSteps& steps, SJoinJob& job, std::wstring toolPath,
                                 std::wstring programFolder)
    : m_host(host),
      m_steps(steps),
      m_job(job),
      m_toolPath(std::move(toolPath)),
      m_programFolder(std::move(programFolder)),
      m_workingFolder(m_programFolder) {}

CJoinController::~CJoinController() {
  m_cancel.exchange(1);
  StopRunningTool();
}

bool CJoinController::OnCommand(int commandId) {
  switch (commandId) {
    case kCmdJoin: Join(); return true;
    case kCmdCancel: Cancel(); return true;
    case kCmdClose: Close(); return true;
    case kCmdFinish: Finish(); return true;
    case kCmdResult: ShowJoinResult(); return true;
    case kCmdMp4Pass1: BuildMp4Pass1(); return true;
    default: break;
  }
  const SFinalStep* step = FinalStepOfCommand(commandId);
  if (!step) return false;
  BuildFinal(step->finalMode);
  return true;
}

void CJoinController::SetMode(EJoinMode mode) {
  if (m_mode.exchange(mode) != mode) m_host.UpdateButtons();
}

// ---------------------------------------------------------------- Join

void CJoinController::Join() {
  if (m_job.files.size() < 2) return;
  // A second Join while a job runs would queue the inputs twice.
  if (IsJobRunning() || m_worker || !m_queue.empty()) return;
  if (m_job.outputPath.empty()) {
    std::wstring chosen;
    if (!m_host.PromptOutputPath(chosen) || chosen.empty()) return;
    m_job.outputPath = chosen;
  }
  m_outputKind = m_steps.OutputKindOf(m_job.outputPath);
  if (m_outputKind == OutputKindNone) {
    ForgetChosenOutput();
    return;
  }
  ResetJob();
  // Kinds the stream copy cannot write are converted whatever the box says.
  m_fastRoute = m_host.IsFastJoinChecked() && FastRouteWrites(m_outputKind);
  m_host.UpdateButtons();
  StartIdentityCheck();
}

// Every interactive job asks for its output: a name kept from the last job
// would be written over without a question, even once that file has become
// one of the inputs. A launched job keeps the output its launcher gave.
void CJoinController::ForgetChosenOutput() {
  if (!m_job.IsLaunched()) m_job.outputPath.clear();
}

// The tool would truncate an input while it reads it when the output is
// that input under another name (a link to it, another spelling of its
// name); the list does not show it, so the file's identity decides. The
// job's first step, before anything is written: it opens the output and,
// when that exists, each input, and an input on a share that stopped
// answering keeps an open waiting, so it runs on the worker.
void CJoinController::StartIdentityCheck() {
  m_sameFile.reset();
  m_task = EWorkerTask::kCheckIdentity;
  const std::wstring output = m_job.outputPath;
  const std::vector<std::wstring> inputs = m_job.files;
  StartWorkerBody(m_fastRoute ? kJoinFastRoute : kJoinProbing, [this, output, inputs]() -> unsigned {
    m_sameFile = m_steps.FindSameFile(output, inputs, [this](const std::wstring& name) { NoteOpening(name); });
    return 1;
  });
}

void CJoinController::OnIdentityChecked() {
  if (m_sameFile) {
    RefuseInputAsOutput(*m_sameFile);
  } else if (m_fastRoute) {
    StartFastCheck();
  } else {
    StartConversionRoute();
  }
}

// Nothing was written and the list stays, for the user to choose another
// output or take the file out; a launched job's window stays open with it.
void CJoinController::RefuseInputAsOutput(size_t input) {
  const std::wstring name = m_job.files[input];
  ForgetChosenOutput();
  SetMode(kJoinIdle);
  ResetProgress();
  m_host.SetProgress(0);
  m_host.UpdateButtons();
  m_host.ShowMessage(Message(kOutputIsInput, {name}), kTipsCaption);
  m_host.JobEnded(EJobOutcome::kFailed);
}

void CJoinController::ResetJob() {
  m_cancel.exchange(0);
  m_stepFailed = false;
  m_steps.AllowTool();
  m_reportSent = false;
  m_intermediates.clear();
  m_joinedStream.clear();
  m_inputSeconds = 0;
  m_inputSecondsKnown = true;
  m_outputWritten = false;
  m_outputVerified = false;
  m_task = EWorkerTask::kRunStep;
  m_resultRecord = SVideoPropertyInfo();
  m_workingFolder = m_programFolder;
  {
    std::lock_guard<std::mutex> lock(m_progressLock);
    m_opening.clear();
  }
  ResetProgress();
  m_host.SetProgress(0);
}

void CJoinController::AddInputLength(const SVideoPropertyInfo& record) {
  if (const std::optional<double> seconds = record.DurationSeconds()) {
    m_inputSeconds += *seconds;
  } else {
    m_inputSecondsKnown = false;
  }
}

// One tool run on the worker describes every input: a stream copy of an
// unreadable file or of files of different kinds gives a wrong file without
// complaint. With many or large inputs the description takes seconds, and
// the window must answer meanwhile (and Cancel must end it).
void CJoinController::StartFastCheck() {
  m_fastCheckRecords.clear();
  m_task = EWorkerTask::kCheckInputs;
  const std::vector<std::wstring> inputs = m_job.files;
  StartWorkerBody(kJoinFastRoute, [this, inputs]() -> unsigned {
    m_fastCheckRecords = m_steps.ProbeAll(m_toolPath, inputs, [this] { NoteProbeAnswer(); });
    return 1;
  });
}

// Called when the worker's description of the inputs has ended.
void CJoinController::OnFastCheckEnded() {
  const std::vector<SVideoPropertyInfo> records = std::move(m_fastCheckRecords);
  if (records.size() < m_job.files.size()) {
    FailJob(Message(kCannotRead, {m_job.files[records.size()]}));
    return;
  }
  const std::optional<SInputMismatch> mismatch = FindInputMismatch(records);
  if (!mismatch) {
    for (const SVideoPropertyInfo& record : records) AddInputLength(record);
    StartFastRoute();
    return;
  }
  // A launched job has nobody to ask: it converts.
  const SUserMessage question =
      Message(kFilesDiffer, {m_job.files[mismatch->index], mismatch->what, mismatch->value, mismatch->firstValue});
  if (m_job.IsLaunched() || m_host.AskYesNo(question, kTipsCaption)) {
    StartConversionRoute();
    return;
  }
  EndDeclinedJob();
}

// "No" to converting: nothing is left written and the list stays as it was,
// for the user to change the files, the box or the output's kind.
void CJoinController::EndDeclinedJob() {
  ForgetChosenOutput();
  SetMode(kJoinIdle);
  ResetProgress();
  m_host.SetProgress(0);
  m_host.UpdateButtons();
  m_host.JobEnded(EJobOutcome::kDeclined);
}

void CJoinController::StartFastRoute() {
  // The stream copy writes the output from its first moment on.
  m_outputWritten = true;
  const bool mp4 = m_outputKind == OutputKindMp4;
  const std::wstring output = m_job.outputPath;
  const std::vector<std::wstring> inputs = m_job.files;
  StartWorkerBody(kJoinFastRoute, [this, mp4, output, inputs]() -> unsigned {
    const bool ran = m_steps.RunFastRoute(
        mp4, output, inputs,
        [this](TStdStr<char>& acc, const TStdStr<char>& block) { return OnProgressChunk(acc, block); });
    if (!ran) m_stepFailed = true;
    return ran ? 1 : 0;
  });
}

// The inputs agree with each other but the output's container refuses one
// of their streams (WMV streams in an MP4 file, WebM streams in an FLV
// file), or the copy came out wrong: converting still makes the file.
void CJoinController::OfferConversionAfterRefusedCopy() {
  m_steps.RemoveFile(m_job.outputPath);  // what the refused copy began
  m_outputWritten = false;
  if (!m_job.IsLaunched() && !m_host.AskYesNo(Message(kCopyRefused), kTipsCaption)) {
    EndDeclinedJob();
    return;
  }
  ResetJob();
  StartConversionRoute();
}

void CJoinController::StartConversionRoute() {
  m_queue.assign(m_job.files.begin(), m_job.files.end());
  // The job runs from now on; its first step is the probe of the first input.
  SetMode(kJoinProbing);
  m_host.StartQueueTimer();
}

// ---------------------------------------------------------------- conversion route

bool CJoinController::OnQueueTimer() {
  if (IsCancelled() || !IsJobRunning() || Mode() == kJoinFastRoute) return false;
  if (!m_queue.empty()) {
    if (!m_busy) RunPerInputStep();
    return IsJobRunning();
  }
  if (m_worker) return true;
  RunByteCopyStep();
  return false;
}

// Probes the queue's front input on the worker into m_probeRecord; the
// monitor goes on with OnInputProbed when it has ended. Each input is
// described afresh: the parser only fills empty fields.
void CJoinController::RunPerInputStep() {
  if (m_worker) return;
  const std::wstring input = m_queue.front();
  m_probeRecord = SVideoPropertyInfo();
  m_probeRecord.filePath = input;
  m_task = EWorkerTask::kProbeInput;
  const std::wstring command = m_steps.ProbeCommand(m_toolPath, input);
  StartWorkerBody(kJoinProbing, [this, command]() -> unsigned {
    const bool probed = m_steps.RunTool(
        /*workingFolder=*/L"", command,
        [this](TStdStr<char>& acc, const TStdStr<char>& block) { return OnProgressChunk(acc, block); },
        [this](const TStdStr<char>& acc) { return OnToolDone(acc); });
    if (!probed) m_stepFailed = true;
    return probed ? 1 : 0;
  });
}

// The job ends, naming the file, when the tool cannot read it or it has no
// picture. The tool opens every name the system can (Unicode and long paths
// alike), so a file it cannot read is not made readable by copying it under
// another name: nothing is copied.
void CJoinController::OnInputProbed() {
  const std::wstring input = m_queue.front();
  if (m_stepFailed.exchange(false)) {
    FailJob(Message(kCannotRead, {input}));
    return;
  }
  if (m_probeRecord.width == 0 && m_probeRecord.videoCodec.empty()) {
    FailJob(Message(kNoPicture, {input}));
    return;
  }
  m_busy = true;
  const bool first = m_queue.size() == m_job.files.size();
  if (first) {
    m_referenceRecord = m_probeRecord;
    m_intermediateFormat = MakeIntermediateFormat(m_referenceRecord);
  }
  if (first && m_job.IsLaunched() && !m_reportSent && m_probeRecord.IsIncomplete()) {
    m_reportSent = true;
    m_host.SendDiagnosticReport(m_job.sourceUrl);
  }
  AddInputLength(m_probeRecord);

  // Never over a file of the user's (an input, a file of the same name, an
  // earlier intermediate of an input with the same title).
  const std::optional<std::wstring> intermediate =
      m_steps.ReserveFreePath(m_steps.IntermediatePath(m_job.outputPath, input));
  if (!intermediate) {
    m_busy = false;
    FailJob(Message(kFailedToConvert));
    return;
  }
  m_intermediates.push_back(*intermediate);
  m_queue.pop_front();
  m_busy = false;
  StartWorker(kJoinToMpeg, m_steps.ToMpegCommand(m_toolPath, m_intermediateFormat, m_probeRecord, input,
                                                 *intermediate));
}

void CJoinController::RunByteCopyStep() {
  if (m_intermediates.empty()) {
    FailJob(Message(kFailedToMerge));
    return;
  }
  const std::optional<std::wstring> joined = m_steps.ReserveFreePath(m_steps.JoinedStreamPath(m_intermediates.front()));
  if (!joined) {
    FailJob(Message(kFailedToMerge));
    return;
  }
  m_joinedStream = *joined;
  const std::vector<std::wstring> sources = m_intermediates;
  const std::wstring target = m_joinedStream;
  StartWorkerBody(kJoinByteCopy, [this, sources, target]() -> unsigned {
    const bool joinedAll = m_steps.JoinByteCopy(sources, target, [this] { return m_cancel.load() == 0; });
    if (!joinedAll) m_stepFailed = true;
    return joinedAll ? 1 : 0;
  });
}

void CJoinController::BuildFinal(EJoinMode mode) {
  const SFinalStep* step = FinalStepOfKind(m_outputKind);
  if (!step || step->finalMode != mode || m_worker || !IsJobRunning()) return;
  if (mode != kJoinMp4Pass2) m_workingFolder = m_programFolder;
  m_outputWritten = true;
  const std::wstring statsFolder = mode == kJoinMp4Pass2 ? m_workingFolder : std::wstring();
  StartWorker(mode, m_steps.FinalCommand(mode, m_toolPath, m_referenceRecord, m_joinedStream, m_job.outputPath,
                                         statsFolder));
}

void CJoinController::BuildMp4Pass1() {
  if (m_outputKind != OutputKindMp4 || m_worker || !IsJobRunning()) return;
  // The two passes keep their statistics in a folder of their own.
  const std::optional<std::wstring> folder = m_steps.MakeWorkFolder(m_job.outputPath);
  if (!folder) {
    FailJob(Message(kFailedToConvert));
    return;
  }
  m_workingFolder = *folder;
  m_outputWritten = true;
  StartWorker(kJoinMp4Pass1, m_steps.FinalCommand(kJoinMp4Pass1, m_toolPath, m_referenceRecord, m_joinedStream,
                                                  m_job.outputPath, m_workingFolder));
}

void CJoinController::StartWorker(EJoinMode mode, const std::wstring& commandLine) {
  m_commandLine = commandLine;
  // Every step runs in the program folder; the MP4 passes name their
  // statistics folder on the command line.
  const std::wstring folder = m_programFolder;
  StartWorkerBody(mode, [this, folder, commandLine]() -> unsigned {
    return m_steps.RunTool(
        folder, commandLine,
        [this](TStdStr<char>& acc, const TStdStr<char>& block) { return OnProgressChunk(acc, block); },
        [this](const TStdStr<char>& acc) { return OnToolDone(acc); });
  });
}

void CJoinController::StartWorkerBody(EJoinMode mode, std::function<unsigned()> body) {
  m_stepFailed = false;
  m_lastAnswerMs = SteadyMilliseconds();
  m_failureTail.clear();
  if (StepUsesInputTotal(mode)) {
    std::lock_guard<std::mutex> lock(m_progressLock);
    m_totalDuration = static_cast<int64_t>(std::ceil(m_inputSeconds));
  }
  SetMode(mode);
  m_worker = m_steps.StartWorker(std::move(body));
  if (!m_worker) FailJob(Message(mode == kJoinByteCopy || mode == kJoinFastRoute ? kFailedToMerge : kFailedToConvert));
}

void CJoinController::StopWorker() {
  if (!m_worker) return;
  m_worker->Stop();
  m_worker.reset();
}

// Ends the running tool at once rather than at its next output block, then
// waits for the worker: what the tool wrote may be deleted after this.
void CJoinController::StopRunningTool() {
  m_steps.StopTool();
  StopWorker();
}

// ---------------------------------------------------------------- worker thread

bool CJoinController::StepUsesInputTotal(EJoinMode mode) const {
  // The joined stream's own "Duration:" is only its first part's length.
  return (IsFinalConversion(mode) || mode == kJoinFastRoute) && m_inputSecondsKnown && m_inputSeconds > 0;
}

bool CJoinController::OnProgressChunk(TStdStr<char>& accumulated, const TStdStr<char>& block) {
  const EJoinMode mode = Mode();
  if (mode == kJoinProbing) {
    accumulated.append(block.c_str());  // up to the first NUL byte
    NoteProbeAnswer();
    return true;
  }
  // A failure text may be split across two blocks.
  const std::string window = m_failureTail + block;
  if (ContainsFailureText(window)) m_stepFailed = true;
  m_failureTail = window.substr(window.size() - std::min(window.size(), FailureTextOverlap()));

  if (mode == kJoinToMpeg || IsFinalConversion(mode) || mode == kJoinFastRoute) {
    const SProgressBlock progress = ParseProgressBlock(block);
    if (!progress.isError && progress.seconds != 0 && progress.seconds != -1) {
      std::lock_guard<std::mutex> lock(m_progressLock);
      if (progress.isTime) {
        m_currentTime = progress.seconds;
      } else if (!StepUsesInputTotal(mode)) {
        m_totalDuration = progress.seconds;
      }
    }
  }
  return m_cancel.load() == 0 && !m_stepFailed;
}

bool CJoinController::OnToolDone(const TStdStr<char>& accumulated) {
  if (Mode() == kJoinProbing) return m_steps.ParseProbeOutput(m_probeRecord, accumulated);
  return true;
}

// ---------------------------------------------------------------- monitor

void CJoinController::OnMonitorTimer() {
  if (!IsJobRunning()) return;
  if (m_worker && m_worker->HasEnded()) {
    OnWorkerEnded();
  } else if (m_worker && ProbeHasStalled()) {
    OnProbeStalled();
  }
  if (IsJobRunning()) UpdateProgressBar();
}

void CJoinController::NoteProbeAnswer() { m_lastAnswerMs = SteadyMilliseconds(); }

void CJoinController::NoteOpening(const std::wstring& name) {
  {
    std::lock_guard<std::mutex> lock(m_progressLock);
    m_opening = name;
  }
  NoteProbeAnswer();
}

bool CJoinController::ProbeHasStalled() const {
  if (m_task == EWorkerTask::kRunStep) return false;
  return SteadyMilliseconds() - m_lastAnswerMs.load() >= m_probeAnswerLimit.count();
}

// A file on a share that stopped answering (or any file whose reading
// blocks) keeps the probe waiting for ever. The job ends, naming the file;
// the list stays for the user to take that file out or try again later.
void CJoinController::OnProbeStalled() {
  const EWorkerTask task = m_task;
  StopRunningTool();  // the worker has ended once this returns
  std::wstring file;
  if (task == EWorkerTask::kProbeInput && !m_queue.empty()) {
    file = m_queue.front();
  } else if (task == EWorkerTask::kCheckIdentity) {
    std::lock_guard<std::mutex> lock(m_progressLock);
    file = m_opening.empty() ? m_job.outputPath : m_opening;
  } else if (task == EWorkerTask::kCheckInputs && !m_job.files.empty()) {
    // The inputs are read in order: the first one not yet described is the one that stalled.
    file = m_job.files[std::min(m_fastCheckRecords.size(), m_job.files.size() - 1)];
  } else {
    file = m_job.outputPath;
  }
  FailJob(Message(kDidNotAnswer, {file}), EJobOutcome::kFailed, /*keepList=*/true);
}

void CJoinController::OnWorkerEnded() {
  const EJoinMode mode = Mode();
  const EWorkerTask task = m_task;
  m_task = EWorkerTask::kRunStep;
  StopWorker();
  ResetProgress();
  if (task == EWorkerTask::kCheckIdentity) {
    OnIdentityChecked();
    return;
  }
  if (task == EWorkerTask::kProbeInput) {
    OnInputProbed();
    return;
  }
  if (task == EWorkerTask::kCheckInputs) {
    OnFastCheckEnded();
    return;
  }
  if (task == EWorkerTask::kCheckOutput) {
    OnOutputChecked();
    return;
  }
  const bool failed = m_stepFailed.exchange(false);
  if (mode == kJoinToMpeg && (failed || m_steps.FileSize(m_intermediates.back()) == 0)) {
    FailJob(Message(kFailedToConvert));
  } else if (mode == kJoinFastRoute && (failed || m_steps.FileSize(m_job.outputPath) == 0)) {
    OfferConversionAfterRefusedCopy();
  } else if (mode == kJoinFastRoute) {
    // The tool may copy without an error and still write a wrong file:
    // inputs alike in kind whose streams count time in different units
    // (time scales) come out far longer or shorter than they are together.
    StartOutputCheck();
  } else if (mode == kJoinByteCopy) {
    if (failed) {
      FailJob(Message(kFailedToMerge));
    } else {
      const SFinalStep* step = FinalStepOfKind(m_outputKind);
      m_host.PostCommand(step ? step->firstCommand : 0);
    }
  } else if (IsFinalConversion(mode)) {
    if (failed || m_steps.FileSize(m_job.outputPath) == 0) {
      FailJob(Message(kFailedToConvert));
    } else if (mode == kJoinMp4Pass1) {
      m_host.PostCommand(kCmdMp4Pass2);
    } else {
      StartOutputCheck();
    }
  }
  // After an input the queue timer goes on with the next one.
}

void CJoinController::UpdateProgressBar() {
  SProgressInput in;
  in.mode = Mode();
  in.fileCount = static_cast<int>(m_job.files.size());
  in.queueLength = static_cast<int>(m_queue.size());
  {
    std::lock_guard<std::mutex> lock(m_progressLock);
    in.currentTime = m_currentTime;
    in.totalDuration = m_totalDuration;
  }
  if (const std::optional<int> position = ComputeProgressPosition(in)) m_host.SetProgress(*position);
}

void CJoinController::ResetProgress() {
  std::lock_guard<std::mutex> lock(m_progressLock);
  m_currentTime = 0;
  // Final steps measure against the inputs' added lengths, set at their start.
  m_totalDuration = 0;
}

// ---------------------------------------------------------------- the end of a job

void CJoinController::DeleteIntermediates() {
  for (const std::wstring& path : m_intermediates) m_steps.RemoveFile(path);
  m_intermediates.clear();
  if (!m_joinedStream.empty()) {
    m_steps.RemoveFile(m_joinedStream);
    m_joinedStream.clear();
  }
}

void CJoinController::DeleteWorkFolder() {
  if (m_outputKind == OutputKindMp4 && m_workingFolder != m_programFolder) m_steps.RemoveWorkFolder(m_workingFolder);
  m_workingFolder = m_programFolder;
}

// The output counts only when this job wrote it, the tool can read it, and
// it is as long as the inputs together. The probe runs on the worker, in the
// mode of the step that wrote the file.
void CJoinController::StartOutputCheck() {
  m_resultRecord = SVideoPropertyInfo();
  m_task = EWorkerTask::kCheckOutput;
  const std::wstring output = m_job.outputPath;
  StartWorkerBody(Mode(), [this, output]() -> unsigned {
    const bool probed = m_steps.FileExists(output) &&
                        m_steps.ProbeMedia(output, m_resultRecord, [this] { NoteProbeAnswer(); });
    if (!probed) m_stepFailed = true;
    return probed ? 1 : 0;
  });
}

void CJoinController::OnOutputChecked() {
  const bool probed = m_outputWritten && !m_stepFailed.exchange(false);
  bool whole = probed;
  if (probed && m_inputSecondsKnown) {
    const std::optional<double> length = m_resultRecord.DurationSeconds();
    const double tolerance = std::max(kLengthTolerance, kLengthTolerancePerInput * m_job.files.size());
    whole = length && std::fabs(*length - m_inputSeconds) <= tolerance;
  }
  m_outputVerified = whole;
  if (whole) {
    m_host.PostCommand(kCmdFinish);
  } else if (Mode() == kJoinFastRoute) {
    OfferConversionAfterRefusedCopy();
  } else {
    FailJob(Message(kFailedToMerge));
  }
}

void CJoinController::Finish() {
  if (!IsJobRunning()) return;
  DeleteIntermediates();
  DeleteWorkFolder();
  // Only a file checked on the worker when its step ended is a result.
  if (!m_outputVerified) {
    FailJob(Message(kFailedToMerge));
    return;
  }
  m_host.SetProgress(100);
  ForgetChosenOutput();
  m_job.files.clear();
  m_host.RefreshFileList();
  SetMode(kJoinIdle);

  if (m_job.IsLaunched()) {
    m_host.SendCompletionNotice();
    StopWorker();
    m_host.StopTimers();
    m_host.EndProgram();
    return;
  }
  m_host.PostCommand(kCmdResult);
}

void CJoinController::ShowJoinResult() {
  // Only the file this job wrote and checked is ever shown.
  if (m_resultRecord.filePath.empty() || IsJobRunning()) return;
  const SVideoPropertyInfo result = m_resultRecord;
  m_resultRecord = SVideoPropertyInfo();
  m_host.ShowResult(result);
  m_host.JobEnded(EJobOutcome::kJoined);
}

// Removes what an unfinished job made: intermediates, the joined stream, the
// two-pass folder, and the output once this
// job has begun to write it (an output that existed before stays until then).
void CJoinController::DiscardJobFiles() {
  DeleteIntermediates();
  if (m_outputWritten) m_steps.RemoveFile(m_job.outputPath);
  m_outputWritten = false;
  m_outputVerified = false;
  DeleteWorkFolder();
}

void CJoinController::FailJob(const SUserMessage& message, EJobOutcome outcome, bool keepList) {
  m_cancel.exchange(1);
  m_queue.clear();
  StopRunningTool();
  DiscardJobFiles();
  ForgetChosenOutput();
  m_resultRecord = SVideoPropertyInfo();

  ResetProgress();
  m_host.SetProgress(0);
  m_task = EWorkerTask::kRunStep;
  if (!keepList) {
    m_job.files.clear();
    m_host.RefreshFileList();
  }
  SetMode(kJoinIdle);
  m_host.UpdateButtons();
  if (!message.text.empty()) m_host.ShowMessage(message, kTipsCaption);

  if (m_job.IsLaunched()) {
    m_host.StopTimers();
    m_host.EndProgram();
  }
  m_host.JobEnded(outcome);
}

void CJoinController::Cancel() {
  if (!IsJobRunning() && !m_worker) return;
  FailJob(SUserMessage(), EJobOutcome::kCancelled);
}

void CJoinController::Close() {
  const bool running = IsJobRunning();
  m_cancel.exchange(1);
  m_queue.clear();
  StopRunningTool();
  m_host.StopTimers();
  // The tool has ended and been waited for: what it wrote can go at once.
  if (running) DiscardJobFiles();  // closing mid-job leaves nothing of it behind
  SetMode(kJoinIdle);
  m_host.EndProgram();
}

}  // namespace corvane
