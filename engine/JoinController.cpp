#include "engine/JoinController.h"

#include <cstring>

#include "engine/ProgressBlock.h"
#include "engine/ProgressPosition.h"

namespace corvane {
namespace {

constexpr unsigned kCopyIsTemporary = 0x1;  // the current input is a copy to delete after its step
constexpr unsigned kOutputReplaced = 0x2;   // the output path was replaced; move the result back

constexpr wchar_t kTipsCaption[] = L"Tips";
constexpr wchar_t kFailedToConvert[] = L"Failed to convert file.";
constexpr wchar_t kFailedToMerge[] = L"Failed to merge files.";

bool IsFinalConversion(EJoinMode mode) { return mode >= kJoinFinalAvi && mode <= kJoinMp4Pass2; }

// The command that builds the final conversion of an output kind.
int FinalCommandOf(int outputKind) {
  switch (outputKind) {
    case kKindFlv: return kCmdBuildFlv;
    case kKindRm: return kCmdBuildRm;
    case kKindMp4: return kCmdMp4Pass1;
    case kKindAvi: return kCmdBuildAvi;
    case kKindWmv: return kCmdBuildWmv;
    default: return 0;
  }
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
  StopWorker();
}

bool CJoinController::OnCommand(int commandId) {
  switch (commandId) {
    case kCmdJoin: Join(); return true;
    case kCmdCancel: Cancel(); return true;
    case kCmdClose: Close(); return true;
    case kCmdFinish: Finish(); return true;
    case kCmdResult: ShowJoinResult(); return true;
    case kCmdBuildAvi: BuildFinal(kJoinFinalAvi); return true;
    case kCmdBuildFlv: BuildFinal(kJoinFinalFlv); return true;
    case kCmdBuildRm: BuildFinal(kJoinFinalRm); return true;
    case kCmdBuildWmv: BuildFinal(kJoinFinalWmv); return true;
    case kCmdMp4Pass1: BuildMp4Pass1(); return true;
    case kCmdMp4Pass2: BuildFinal(kJoinMp4Pass2); return true;
    default: return false;
  }
}

void CJoinController::Join() {
  if (m_job.files.size() < 2) return;
  // A second Join while a job runs would queue the inputs twice.
  if (Mode() != kJoinIdle || m_worker || !m_queue.empty()) return;
  if (m_job.outputPath.empty()) {
    std::wstring chosen;
    if (!m_host.PromptOutputPath(chosen) || chosen.empty()) return;
    m_job.outputPath = chosen;
  }
  m_outputKind = m_steps.OutputKindOf(m_job.outputPath);
  if (m_outputKind == kKindNone) return;

  m_cancel.exchange(0);
  m_reportSent = false;
  m_host.UpdateButtons();

  if (m_host.IsFastJoinChecked()) {
    m_mode = kJoinFastRoute;
    if (m_outputKind == kKindMp4 || m_outputKind == kKindFlv) {
      m_steps.RunFastRoute(/*mp4=*/m_outputKind == kKindMp4, m_job.outputPath, m_job.files);
    }
    m_host.PostCommand(kCmdFinish);
    return;
  }
  m_queue.assign(m_job.files.begin(), m_job.files.end());
  m_host.StartQueueTimer();
}

bool CJoinController::OnQueueTimer() {
  if (IsCancelled() || Mode() == kJoinFastRoute) return false;
  if (!m_queue.empty()) {
    if (!m_busy) RunPerInputStep();
    return true;
  }
  if (m_worker) return true;
  RunByteCopyStep();
  return false;
}

bool CJoinController::ProbeInput(const std::wstring& input) {
  m_cancel.exchange(0);
  // Each input is described afresh: the parser only fills empty fields.
  m_probeRecord = SVideoPropertyInfo();
  m_probeRecord.filePath = input;
  m_mode = kJoinProbing;
  return m_steps.RunTool(
      /*workingFolder=*/L"", m_steps.ProbeCommand(m_toolPath, input),
      [this](TStdStr<char>& acc, const TStdStr<char>& block) { return OnProgressChunk(acc, block); },
      [this](const TStdStr<char>& acc) { return OnToolDone(acc); });
}

void CJoinController::RunPerInputStep() {
  if (m_worker) return;
  m_busy = true;
  const std::wstring input = m_queue.front();
  const bool first = m_queue.size() == m_job.files.size();
  m_currentInput = input;

  if (!ProbeInput(input)) {
    // The tool may not open some names: retry on a copy under a plain name.
    const std::optional<std::wstring> copy = m_steps.MakeTemporaryCopy(input);
    if (!copy) {
      m_queue.pop_front();
      m_busy = false;
      return;
    }
    m_copyFlags |= kCopyIsTemporary;
    m_currentInput = *copy;
    if (first) {
      m_rememberedOutputPath = m_job.outputPath;
      m_job.outputPath = m_steps.OutputPathForCopy(m_job.outputPath, *copy, input);
      m_copyFlags |= kOutputReplaced;
    }
    ProbeInput(*copy);  // its result does not stop the job
  }
  if (first) m_referenceRecord = m_probeRecord;
  if (first && m_job.IsLaunched() && !m_reportSent && m_probeRecord.IsIncomplete()) {
    m_reportSent = true;
    m_host.SendDiagnosticReport(m_job.sourceUrl);
  }

  const std::wstring intermediate = m_steps.IntermediatePath(m_job.outputPath, m_currentInput);
  m_intermediates.push_back(intermediate);
  StartWorker(kJoinToMpeg, m_steps.ToMpegCommand(m_toolPath, m_probeRecord, m_currentInput, intermediate));
  m_queue.pop_front();
  m_busy = false;
}

void CJoinController::RunByteCopyStep() {
  if (m_intermediates.empty()) {
    // Every input was dropped: nothing to join; the result step reports it.
    m_mode = kJoinIdle;
    m_host.PostCommand(kCmdFinish);
    return;
  }
  m_joinedStream = m_steps.JoinedStreamPath(m_intermediates.front());
  m_mode = kJoinByteCopy;
  const std::vector<std::wstring> sources = m_intermediates;
  const std::wstring joined = m_joinedStream;
  m_worker = m_steps.StartWorker([this, sources, joined]() -> unsigned {
    return m_steps.JoinByteCopy(sources, joined, [this] { return m_cancel.load() == 0; });
  });
}

void CJoinController::BuildFinal(EJoinMode mode) {
  const bool matches = (mode == kJoinFinalAvi && m_outputKind == kKindAvi) ||
                       (mode == kJoinFinalFlv && m_outputKind == kKindFlv) ||
                       (mode == kJoinFinalRm && m_outputKind == kKindRm) ||
                       (mode == kJoinFinalWmv && m_outputKind == kKindWmv) ||
                       (mode == kJoinMp4Pass2 && m_outputKind == kKindMp4);
  if (!matches || m_worker) return;
  if (mode != kJoinMp4Pass2) m_workingFolder = m_programFolder;
  StartWorker(mode, m_steps.FinalCommand(mode, m_toolPath, m_referenceRecord, m_joinedStream, m_job.outputPath));
}

void CJoinController::BuildMp4Pass1() {
  if (m_outputKind != kKindMp4 || m_worker) return;
  // The two passes keep their statistics in a folder of their own.
  const std::optional<std::wstring> folder = m_steps.MakeWorkFolder(m_job.outputPath);
  if (!folder) return;  // the job waits in the byte-copy state until cancelled
  m_workingFolder = *folder;
  StartWorker(kJoinMp4Pass1,
              m_steps.FinalCommand(kJoinMp4Pass1, m_toolPath, m_referenceRecord, m_joinedStream, m_job.outputPath));
}

void CJoinController::StartWorker(EJoinMode mode, const std::wstring& commandLine) {
  m_commandLine = commandLine;
  m_mode = mode;
  const std::wstring folder = m_workingFolder;
  m_worker = m_steps.StartWorker([this, folder, commandLine]() -> unsigned {
    return m_steps.RunTool(
        folder, commandLine,
        [this](TStdStr<char>& acc, const TStdStr<char>& block) { return OnProgressChunk(acc, block); },
        [this](const TStdStr<char>& acc) { return OnToolDone(acc); });
  });
}

void CJoinController::StopWorker() {
  if (!m_worker) return;
  m_worker->Stop();
  m_worker.reset();
}

bool CJoinController::OnProgressChunk(TStdStr<char>& accumulated, const TStdStr<char>& block) {
  const EJoinMode mode = Mode();
  if (mode == kJoinProbing) {
    accumulated.append(block.c_str());  // up to the first NUL byte
    return true;
  }
  if (mode == kJoinToMpeg || IsFinalConversion(mode)) {
    const SProgressBlock progress = ParseProgressBlock(block);
    if (progress.isError) {
      if (progress.isTime) {
        m_host.ShowMessage(kFailedToConvert, kTipsCaption);
        m_host.PostCommand(kCmdCancel);
      }
    } else if (progress.seconds != 0 && progress.seconds != -1) {
      std::lock_guard<std::mutex> lock(m_progressLock);
      (progress.isTime ? m_currentTime : m_totalDuration) = progress.seconds;
    }
  }
  return m_cancel.load() == 0;
}

bool CJoinController::OnToolDone(const TStdStr<char>& accumulated) {
  if (Mode() == kJoinProbing) return m_steps.ParseProbeOutput(m_probeRecord, accumulated);
  return true;
}

void CJoinController::OnMonitorTimer() {
  const EJoinMode mode = Mode();
  if (mode == kJoinIdle || mode == kJoinFastRoute) return;
  if (m_worker && m_worker->HasEnded()) OnWorkerEnded();
  UpdateProgressBar();
}

void CJoinController::OnWorkerEnded() {
  StopWorker();
  if (m_copyFlags & kCopyIsTemporary) {
    m_steps.RemoveFile(m_currentInput);
    m_copyFlags &= ~kCopyIsTemporary;
  }
  switch (Mode()) {
    case kJoinByteCopy: m_host.PostCommand(FinalCommandOf(m_outputKind)); break;
    case kJoinFinalAvi:
    case kJoinFinalFlv:
    case kJoinFinalRm:
    case kJoinFinalWmv:
    case kJoinMp4Pass2: m_host.PostCommand(kCmdFinish); break;
    case kJoinMp4Pass1: m_host.PostCommand(kCmdMp4Pass2); break;
    default: break;  // after an input the queue timer goes on
  }
  ResetProgress();
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
  m_totalDuration = 0;
}

void CJoinController::DeleteIntermediates() {
  for (const std::wstring& path : m_intermediates) m_steps.RemoveFile(path);
  m_intermediates.clear();
  if (!m_joinedStream.empty()) {
    m_steps.RemoveFile(m_joinedStream);
    m_joinedStream.clear();
  }
}

void CJoinController::DeleteWorkFolder() {
  if (m_outputKind == kKindMp4 && m_workingFolder != m_programFolder) m_steps.RemoveFolderTree(m_workingFolder);
  m_workingFolder = m_programFolder;
}

void CJoinController::Finish() {
  DeleteIntermediates();
  DeleteWorkFolder();
  m_host.SetProgress(0);
  m_job.files.clear();
  m_host.RefreshFileList();
  m_mode = kJoinIdle;
  m_host.UpdateButtons();

  if (m_job.IsLaunched()) {
    m_host.SendCompletionNotice();
    StopWorker();
    m_host.StopTimers();
    m_host.EndProgram();
    return;
  }
  if (m_copyFlags & kOutputReplaced) {
    m_steps.RenameFile(m_job.outputPath, m_rememberedOutputPath);
    m_job.outputPath = m_rememberedOutputPath;
    m_copyFlags &= ~kOutputReplaced;
  }
  m_host.PostCommand(kCmdResult);
}

void CJoinController::ShowJoinResult() {
  if (!m_steps.FileExists(m_job.outputPath)) {
    m_host.ShowMessage(kFailedToMerge, kTipsCaption);
    return;
  }
  if (m_steps.ProbeMedia(m_job.outputPath, m_probeRecord)) m_host.ShowResult(m_probeRecord);
  m_mode = kJoinIdle;
}

// Removes what an unfinished job made so far: intermediates, the joined
// stream, a temporary copy of an input, the two-pass folder, and an output
// that a final conversion had begun to write (an output that existed before
// the job is left alone until then).
void CJoinController::DiscardJobFiles(EJoinMode modeAtStop) {
  DeleteIntermediates();
  if (m_copyFlags & kCopyIsTemporary) m_steps.RemoveFile(m_currentInput);
  if (IsFinalConversion(modeAtStop)) m_steps.RemoveFile(m_job.outputPath);
  DeleteWorkFolder();
  if (m_copyFlags & kOutputReplaced) m_job.outputPath = m_rememberedOutputPath;
  m_copyFlags = 0;
}

// A launched job that ends early leaves nothing behind for its launcher, not
// even the output.
void CJoinController::CleanUpLaunchedJob() {
  DeleteIntermediates();
  DeleteWorkFolder();
  m_steps.RemoveFile(m_job.outputPath);
}

void CJoinController::Cancel() {
  const EJoinMode modeAtCancel = Mode();
  m_cancel.exchange(1);
  m_queue.clear();
  StopWorker();

  DiscardJobFiles(modeAtCancel);

  ResetProgress();
  m_host.SetProgress(0);
  m_job.files.clear();
  m_host.RefreshFileList();
  m_mode = kJoinIdle;
  m_host.UpdateButtons();

  if (m_job.IsLaunched()) {
    CleanUpLaunchedJob();
    m_host.StopTimers();
    m_host.EndProgram();
  }
}

void CJoinController::Close() {
  const EJoinMode modeAtClose = Mode();
  m_cancel.exchange(1);
  m_queue.clear();
  StopWorker();
  m_host.StopTimers();
  if (m_job.IsLaunched()) {
    m_host.Pause(1000);
    CleanUpLaunchedJob();
  } else if (modeAtClose != kJoinIdle && modeAtClose != kJoinFastRoute) {
    DiscardJobFiles(modeAtClose);  // closing mid-job leaves nothing of it behind either
  }
  m_host.EndProgram();
}

}  // namespace corvane
