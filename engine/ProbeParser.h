#pragma once
// Reading the media tool's description of an input ("ffmpeg -i FILE").
#include <string>
#include <vector>

#include "base/StdStr.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {

// Fills info from the tool's whole output (UTF-8). Only what the tool wrote
// about the input counts: the header "Input #0, DEMUXERS, from 'NAME':" and
// the indented lines under it, less metadata blocks. The header must name
// probedName exactly as the command gave it (a name may hold line breaks
// and text that looks like the tool's); with an empty probedName the first
// header counts. Fields that already hold a value are left alone, so a
// caller that wants a fresh record clears it first. Returns false, leaving
// info unchanged, when there is no description and the tool could not read
// the file ("Invalid data found when processing input"); any other text
// gives true, even if nothing was found.
bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output, const std::wstring& probedName);
// The same with info.filePath as the probed name. Usable directly as the
// OutputDoneHandler of a probe run whose record names its file.
bool ParseProbeOutput(SVideoPropertyInfo& info, const TStdStr<char>& output);

// Reads the descriptions of several inputs from one run of the tool with one
// "-i" option per name: one record per input, in order, each found by its
// index and its name as the command gave it (headers for other indexes or
// names are ignored, so the result never outgrows names). The tool stops at
// the first input it cannot read, so a result shorter than names ends just
// before that input (its size is the input's index). filePath is left empty.
std::vector<SVideoPropertyInfo> ParseProbeAllOutput(const TStdStr<char>& output, const std::vector<std::wstring>& names);

}  // namespace corvane
