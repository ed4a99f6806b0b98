#include "engine/JoinStepsImpl.h"

#include <filesystem>

#include "base/FsPath.h"
#include "base/WorkerThread.h"
#include "engine/ByteCopyJoin.h"
#include "engine/ConversionParams.h"
#include "engine/FastJoin.h"
#include "engine/FileIdentity.h"
#include "engine/IntermediateNames.h"
#include "engine/JoinCommands.h"
#include "engine/OutputKind.h"
#include "engine/PathParts.h"
#include "engine/ProbeMedia.h"
#include "engine/ProbeParser.h"
#include "engine/StoppableCall.h"
#include "engine/TempFiles.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {
namespace {

// Every worker of the join gets five seconds to end after a stop.
constexpr unsigned kWorkerStopTimeoutMs = 5000;

class CJoinWorker : public IJoinWorker {
 public:
  explicit CJoinWorker(std::function<unsigned()> body) : m_thread(std::move(body), kWorkerStopTimeoutMs) {}
  bool Start() { return m_thread.Start(); }
  bool HasEnded() override { return !m_thread.IsRunning() || m_thread.HasEnded(); }
  void Stop() override { m_thread.Stop(); }

 private:
  WorkerThread m_thread;
};

std::optional<std::wstring> NonEmpty(std::wstring text) {
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace

OutputKind CJoinSteps::OutputKindOf(const std::wstring& outputPath) { return GetOutputKind(outputPath); }

std::wstring CJoinSteps::ProbeCommand(const std::wstring& toolPath, const std::wstring& input) {
  return BuildProbeCommand(toolPath, input);
}

bool CJoinSteps::ParseProbeOutput(SVideoPropertyInfo& record, const std::string& output) {
  return corvane::ParseProbeOutput(record, output);
}

std::wstring CJoinSteps::IntermediatePath(const std::wstring& outputPath, const std::wstring& input) {
  return corvane::IntermediatePath(outputPath, input);
}

std::wstring CJoinSteps::ToMpegCommand(const std::wstring& toolPath, const SIntermediateFormat& format,
                                       const SVideoPropertyInfo& inputRecord, const std::wstring& input,
                                       const std::wstring& intermediate) {
  return BuildToMpegCommand(toolPath, input, intermediate, format, inputRecord);
}

std::wstring CJoinSteps::JoinedStreamPath(const std::wstring& firstIntermediate) {
  return corvane::JoinedStreamPath(firstIntermediate);
}

std::wstring CJoinSteps::FinalCommand(EJoinMode mode, const std::wstring& toolPath,
                                      const SVideoPropertyInfo& reference, const std::wstring& joinedStream,
                                      const std::wstring& outputPath, const std::wstring& statsFolder) {
  const SConversionParams params = MakeConversionParams(reference);
  switch (mode) {
    case kJoinFinalAvi: return BuildAviCommand(toolPath, joinedStream, outputPath, params);
    case kJoinFinalFlv: return BuildFlvCommand(toolPath, joinedStream, outputPath, params);
    case kJoinFinalRm: return BuildRmCommand(toolPath, joinedStream, outputPath, params);
    case kJoinFinalWmv: return BuildWmvCommand(toolPath, joinedStream, outputPath, params);
    case kJoinMp4Pass1: return BuildMp4Pass1Command(toolPath, joinedStream, outputPath, params, statsFolder);
    case kJoinMp4Pass2: return BuildMp4Pass2Command(toolPath, joinedStream, outputPath, params, statsFolder);
    default: return std::wstring();
  }
}

bool CJoinSteps::RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
                         const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone) {
  return corvane::RunTool(workingFolder, commandLine, onChunk, onDone, &m_stop);
}

std::vector<SVideoPropertyInfo> CJoinSteps::ProbeAll(const std::wstring& toolPath,
                                                     const std::vector<std::wstring>& inputs,
                                                     const ProbeAnswerHandler& onAnswer) {
  return ProbeAllMedia(toolPath, inputs, &m_stop, onAnswer);
}

bool CJoinSteps::JoinByteCopy(const std::vector<std::wstring>& intermediates, const std::wstring& joinedStream,
                              const std::function<bool()>& keepGoing) {
  return corvane::JoinByteCopy(intermediates, joinedStream, keepGoing, &m_stop);
}

bool CJoinSteps::RunFastRoute(bool mp4, const std::wstring& outputPath, const std::vector<std::wstring>& inputs,
                              const OutputChunkHandler& onChunk) {
  return RunFastJoin(mp4, outputPath, inputs, /*setProgress=*/nullptr, onChunk, &m_stop);
}

std::unique_ptr<IJoinWorker> CJoinSteps::StartWorker(std::function<unsigned()> body) {
  auto worker = std::make_unique<CJoinWorker>(std::move(body));
  if (!worker->Start()) return nullptr;
  return worker;
}

bool CJoinSteps::ProbeMedia(const std::wstring& path, SVideoPropertyInfo& record,
                            const ProbeAnswerHandler& onAnswer) {
  return corvane::ProbeMedia(path, record, &m_stop, onAnswer);
}

std::optional<std::wstring> CJoinSteps::MakeWorkFolder(const std::wstring& outputPath) {
  return NonEmpty(MakeX264WorkingFolder(outputPath));
}

std::optional<std::wstring> CJoinSteps::ReserveFreePath(const std::wstring& preferred) {
  return NonEmpty(corvane::ReserveFreePath(preferred));
}

uint64_t CJoinSteps::FileSize(const std::wstring& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(ToFsPath(path), error);
  return error ? 0 : size;
}

bool CJoinSteps::FileExists(const std::wstring& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(ToFsPath(path), error);
}

// An open that waits for a share cannot be ended: the stop leaves it to
// finish alone, so Cancel, Close and the answer limit need not wait for it.
std::optional<size_t> CJoinSteps::FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                               const std::function<void(const std::wstring&)>& onOpening) {
  const std::optional<std::optional<size_t>> answer = CallUntilStopped<std::optional<size_t>>(
      [file, candidates](const TextReport& report) { return corvane::FindSameFile(file, candidates, report); },
      onOpening, &m_stop);
  return answer ? *answer : std::nullopt;
}

void CJoinSteps::RemoveFile(const std::wstring& path) { corvane::RemoveFile(path); }

void CJoinSteps::RemoveWorkFolder(const std::wstring& path) { RemoveX264WorkingFolder(path); }

}  // namespace corvane
