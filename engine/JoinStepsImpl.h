#pragma once
// The join controller's steps as the program runs them: the command builders,
// the tool runner, worker threads and the file system.
#include "engine/JoinSteps.h"

namespace corvane {

class CJoinSteps : public IJoinSteps {
 public:
  OutputKind OutputKindOf(const std::wstring& outputPath) override;
  std::wstring ProbeCommand(const std::wstring& toolPath, const std::wstring& input) override;
  bool ParseProbeOutput(SVideoPropertyInfo& record, const std::string& output) override;
  std::wstring IntermediatePath(const std::wstring& outputPath, const std::wstring& input) override;
  std::wstring ToMpegCommand(const std::wstring& toolPath, const SIntermediateFormat& format,
                             const SVideoPropertyInfo& inputRecord, const std::wstring& input,
                             const std::wstring& intermediate) override;
  std::wstring JoinedStreamPath(const std::wstring& firstIntermediate) override;
  std::wstring FinalCommand(EJoinMode mode, const std::wstring& toolPath, const SVideoPropertyInfo& reference,
                            const std::wstring& joinedStream, const std::wstring& outputPath,
                            const std::wstring& statsFolder) override;

  bool RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
               const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone) override;
  std::vector<SVideoPropertyInfo> ProbeAll(const std::wstring& toolPath, const std::vector<std::wstring>& inputs,
                                           const ProbeAnswerHandler& onAnswer) override;
  bool JoinByteCopy(const std::vector<std::wstring>& intermediates, const std::wstring& joinedStream,
                    const std::function<bool()>& keepGoing) override;
  bool RunFastRoute(bool mp4, const std::wstring& outputPath, const std::vector<std::wstring>& inputs,
                    const OutputChunkHandler& onChunk) override;
  void StopTool() override { m_stop.Stop(); }
  void AllowTool() override { m_stop.Allow(); }
  std::unique_ptr<IJoinWorker> StartWorker(std::function<unsigned()> body) override;
  bool ProbeMedia(const std::wstring& path, SVideoPropertyInfo& record, const ProbeAnswerHandler& onAnswer) override;

  std::optional<std::wstring> MakeWorkFolder(const std::wstring& outputPath) override;
  std::optional<std::wstring> ReserveFreePath(const std::wstring& preferred) override;
  bool FileExists(const std::wstring& path) override;
  std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                     const std::function<void(const std::wstring&)>& onOpening) override;
  uint64_t FileSize(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RemoveWorkFolder(const std::wstring& path) override;

 private:
  CToolStop m_stop;
};

}  // namespace corvane
