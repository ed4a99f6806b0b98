#pragma once
// Reading the media tool's description of an input ("ffmpeg -i FILE").
#include <vector>

#include "base/StdStr.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {

// Fills info from the tool's whole output (narrow text in the thread's ANSI
// code page). Fields that already hold a value are left alone, so a caller
// that wants a fresh record clears it first. Returns false, leaving info
// unchanged, when the tool could not read the file ("Invalid data found when
// processing input"); any other text gives true, even if nothing was found.
// Usable directly as the OutputDoneHandler of a probe run.
bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output);

// Reads the descriptions of several inputs from one run of the tool with
// several "-i" options: one record per input, in order. The tool stops at
// the first input it cannot read, so a result shorter than the list of
// inputs ends just before that input (its size is the input's index).
// filePath is left empty.
std::vector<SVideoPropertyInfo> ParseProbeAllOutput(const TStdStr<char>& output);

}  // namespace corvane
