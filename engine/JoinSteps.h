#pragma once
// Everything the join controller does to the outside world apart from its
// host window: building the routes' commands, running the tool, workers and
// file operations. The program implements it over the tool runner, the
// command builders and the file system; tests replace it with a fake.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/JoinCommands.h"
#include "engine/JoinMode.h"
#include "engine/OutputKind.h"
#include "engine/ProbeMedia.h"
#include "engine/ToolRunner.h"

namespace corvane {

struct SVideoPropertyInfo;

// One step running off the UI thread.
class IJoinWorker {
 public:
  virtual ~IJoinWorker() = default;
  virtual bool HasEnded() = 0;
  // Stops the step: waits up to 5000 ms, then ends the thread by force.
  virtual void Stop() = 0;
};

class IJoinSteps {
 public:
  virtual ~IJoinSteps() = default;

  // --- command building (pure)
  virtual OutputKind OutputKindOf(const std::wstring& outputPath) = 0;
  virtual std::wstring ProbeCommand(const std::wstring& toolPath, const std::wstring& input) = 0;
  virtual bool ParseProbeOutput(SVideoPropertyInfo& record, const std::string& output) = 0;
  // The preferred name of the input's MPEG stream: output folder + input
  // title + ".xbv" (ReserveFreePath picks the name actually used).
  virtual std::wstring IntermediatePath(const std::wstring& outputPath, const std::wstring& input) = 0;
  // inputRecord describes input; format is shared by every input of the job.
  virtual std::wstring ToMpegCommand(const std::wstring& toolPath, const SIntermediateFormat& format,
                                     const SVideoPropertyInfo& inputRecord, const std::wstring& input,
                                     const std::wstring& intermediate) = 0;
  // The preferred name of the joined stream.
  virtual std::wstring JoinedStreamPath(const std::wstring& firstIntermediate) = 0;
  // The final conversion of the given mode (5 to 10) from the joined stream;
  // the MP4 passes keep their statistics in statsFolder.
  virtual std::wstring FinalCommand(EJoinMode mode, const std::wstring& toolPath, const SVideoPropertyInfo& reference,
                                    const std::wstring& joinedStream, const std::wstring& outputPath,
                                    const std::wstring& statsFolder) = 0;

  // --- running (every tool run can be ended from the UI thread by StopTool)
  virtual bool RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
                       const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone) = 0;
  // Describes every input with as few tool runs as the command line allows
  // (usually one). Stops at the first input the tool cannot read: a result
  // shorter than inputs ends just before it (or just before the input it
  // was reading when StopTool ended it). onAnswer hears of every block the
  // tool prints.
  virtual std::vector<SVideoPropertyInfo> ProbeAll(const std::wstring& toolPath,
                                                   const std::vector<std::wstring>& inputs,
                                                   const ProbeAnswerHandler& onAnswer) = 0;
  // Joins the MPEG streams byte for byte into joinedStream (blocking, on the
  // worker); keepGoing is asked between blocks. False on any failed read or
  // write, or when stopped; joinedStream is then gone.
  virtual bool JoinByteCopy(const std::vector<std::wstring>& intermediates, const std::wstring& joinedStream,
                            const std::function<bool()>& keepGoing) = 0;
  // The stream-copy route (blocking, on the worker); onChunk sees the tool's output.
  virtual bool RunFastRoute(bool mp4, const std::wstring& outputPath, const std::vector<std::wstring>& inputs,
                            const OutputChunkHandler& onChunk) = 0;
  // Ends the running tool at once, and any started later until AllowTool.
  virtual void StopTool() = 0;
  virtual void AllowTool() = 0;
  virtual std::unique_ptr<IJoinWorker> StartWorker(std::function<unsigned()> body) = 0;
  // Probes a finished output (blocking, on the worker; StopTool ends it).
  // onAnswer hears of every block the tool prints.
  virtual bool ProbeMedia(const std::wstring& path, SVideoPropertyInfo& record, const ProbeAnswerHandler& onAnswer) = 0;

  // --- files
  // A new, empty folder in the output's folder for the two-pass statistics, or nothing.
  virtual std::optional<std::wstring> MakeWorkFolder(const std::wstring& outputPath) = 0;
  // Creates an empty file at preferred or, when that name is taken, at a
  // free variant of it; none when no file could be made.
  virtual std::optional<std::wstring> ReserveFreePath(const std::wstring& preferred) = 0;
  virtual bool FileExists(const std::wstring& path) = 0;
  // The index of the first of candidates that is the very file `file` names
  // (through a link or another spelling of its name); none when there is no
  // such candidate or `file` does not exist (blocking, on the worker:
  // opening a file on a share that stopped answering waits; StopTool ends
  // the wait with none). onOpening hears each name as it comes to be opened.
  virtual std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                             const std::function<void(const std::wstring&)>& onOpening) = 0;
  // 0 for a missing file.
  virtual uint64_t FileSize(const std::wstring& path) = 0;
  virtual void RemoveFile(const std::wstring& path) = 0;
  // Removes the two-pass statistics from a folder MakeWorkFolder made, then
  // the folder if nothing else is left in it.
  virtual void RemoveWorkFolder(const std::wstring& path) = 0;
};

}  // namespace corvane
