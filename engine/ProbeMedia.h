#pragma once
// Probing one media file with the tool: "ffmpeg -i FILE" and its parsed text.
#include <functional>
#include <string>
#include <vector>

#include "engine/ToolStop.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {

// Called on the probing thread for each block the tool prints: another
// thread watching the probe learns that the tool still answers.
using ProbeAnswerHandler = std::function<void()>;

// The probe command: the tool with one input and no output prints the
// input's description and stops.
extern const wchar_t kProbeCommandTemplate[];

// The probe command for file, filled in with toolPath.
std::wstring BuildProbeCommand(const std::wstring& toolPath, const std::wstring& file);

// Describes files with one run of the tool that takes each as its own "-i"
// input, or with as few runs as the command-line limit (kMaxToolCommandLine)
// allows. The tool stops at the first file it cannot read, and so does the
// result: a result shorter than files ends just before that file. filePath
// of each record is the file's name; stop lets another thread end the tool
// (the files described before it was ended are returned).
std::vector<SVideoPropertyInfo> ProbeAllMedia(const std::wstring& toolPath, const std::vector<std::wstring>& files,
                                              CToolStop* stop = nullptr, const ProbeAnswerHandler& onAnswer = {});

// Runs the probe of file synchronously and parses its text into info (which
// is not cleared here). False when the tool cannot be started or could not
// read the file.
bool RunProbe(const std::wstring& toolPath, const std::wstring& file, SVideoPropertyInfo& info,
              CToolStop* stop = nullptr, const ProbeAnswerHandler& onAnswer = {});

// The standalone probe: clears info, sets filePath and probes the file.
// False when the file does not exist, the tool is missing, or the tool could
// not read it (nothing is copied or retried).
// Runs on the calling thread and blocks it for the tool's run (a file on a
// share that stopped answering blocks it until stop ends the tool): never
// call it on a window's thread.
bool ProbeMedia(const std::wstring& filePath, SVideoPropertyInfo& info, CToolStop* stop = nullptr,
                const ProbeAnswerHandler& onAnswer = {});

}  // namespace corvane
