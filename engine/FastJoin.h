#pragma once
// The fast route: the tool's concat demuxer copies the streams of all inputs
// into one MP4 or FLV file without re-encoding.
#include <functional>
#include <string>
#include <vector>

#include "engine/ToolRunner.h"

namespace corvane {

// The command for a concat list file.
std::wstring BuildFastJoinCommand(bool mp4, const std::wstring& toolPath, const std::wstring& listPath,
                                  const std::wstring& outputPath);

// Joins inputs (in order) into outputPath, MP4 when mp4 is set, else FLV.
// Runs synchronously on the calling thread. The concat list is written to a
// temporary "TFR*.tmp" file and deleted afterwards in every case. With fewer
// than two inputs nothing runs and the result is true. Whether the join
// worked is judged by the caller from the output file; false here means the
// list could not be made, the tool is missing or could not be started.
// setProgress, when given, receives 100 after a run. onChunk, when given,
// sees the tool's output (and may stop the run); stop lets another thread
// end the tool.
bool RunFastJoin(bool mp4, const std::wstring& outputPath, const std::vector<std::wstring>& inputs,
                 const std::function<void(int)>& setProgress, const OutputChunkHandler& onChunk = nullptr,
                 CToolStop* stop = nullptr);

}  // namespace corvane
