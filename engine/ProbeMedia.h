#pragma once
// Probing one media file with the tool: "ffmpeg -i FILE" and its parsed text.
#include <string>
#include <vector>

#include "engine/VideoPropertyInfo.h"

namespace corvane {

// The probe command: the tool with one input and no output prints the
// input's description and stops.
extern const wchar_t kProbeCommandTemplate[];

// The probe command for file, filled in with toolPath.
std::wstring BuildProbeCommand(const std::wstring& toolPath, const std::wstring& file);

// One run of the tool that describes several files: each one as its own
// "-i" input, and still no output.
std::wstring BuildProbeAllCommand(const std::wstring& toolPath, const std::vector<std::wstring>& files);

// Splits files into groups, in order, whose BuildProbeAllCommand fits a tool
// command line (kMaxToolCommandLine); usually a single group. A file too
// long for any command forms a group of its own (its run then fails).
std::vector<std::vector<std::wstring>> BatchProbeInputs(const std::wstring& toolPath,
                                                        const std::vector<std::wstring>& files);

// Runs the probe of file synchronously and parses its text into info (which
// is not cleared here). False when the tool cannot be started or could not
// read the file.
bool RunProbe(const std::wstring& toolPath, const std::wstring& file, SVideoPropertyInfo& info);

// The standalone probe: clears info, sets filePath and probes the file. When
// the tool cannot read it under its own name, the file is copied beside
// itself under a temporary name and the copy is probed instead; filePath
// keeps the caller's name and the copy is always deleted again. False when
// the file does not exist, the tool is missing, or neither probe succeeds.
// Runs on the calling thread and blocks it for the tool's run.
bool ProbeMedia(const std::wstring& filePath, SVideoPropertyInfo& info);

}  // namespace corvane
