#pragma once
// Running the media tool as a hidden child process.
//
// RunTool starts the command, feeds the child's combined standard output and
// standard error block by block to an OutputChunkHandler, and finally asks an
// OutputDoneHandler for the result. The child's exit code is never looked at:
// success is decided by the handlers from the printed text.
#include <functional>
#include <string>

#include "base/StdStr.h"
#include "engine/ToolStop.h"

namespace corvane {

// Receives the accumulated output (the handler appends to it if it wants the
// whole text; RunTool never does) and the block just read. Returning false
// (or throwing) stops the run and ends the child.
using OutputChunkHandler = std::function<bool(TStdStr<char>& accumulated, const TStdStr<char>& block)>;
// Receives the accumulated output; its result is RunTool's result.
using OutputDoneHandler = std::function<bool(const TStdStr<char>& accumulated)>;

// Longest command line RunTool accepts, in UTF-16 code units (the terminator
// makes 2048).
constexpr size_t kMaxToolCommandLine = 2047;

// Runs commandLine synchronously on the calling thread. An empty command line
// returns true at once without running anything or calling a handler. Returns
// false without calling a handler when the pipes or the process cannot be
// made, or when the command line is longer than kMaxToolCommandLine.
// workingFolder empty keeps the current folder.
// With stop given, another thread can end the child at any time through it
// (the run then ends as if the chunk handler had returned false). The child
// is always ended and waited for before RunTool returns, so the files it
// wrote may be deleted at once.
bool RunTool(const std::wstring& workingFolder, const std::wstring& commandLine,
             const OutputChunkHandler& onChunk, const OutputDoneHandler& onDone, CToolStop* stop = nullptr);

// The tool's path (program folder + "ffmpeg.exe"; natively the ffmpeg found
// on PATH or named by CORVANE_FFMPEG) when that file exists, else empty.
std::wstring GetToolPath();

// Replaces the placeholders of a command template in this fixed order:
// "#ffmpegpath#", "#orgfilepath#", "#orgfilepath2#" (only when input2 is not
// empty), "#filetype#" (only when fileType is not null), "#outfilepath#".
// Each pass replaces every occurrence left to right without rescanning what
// it inserted; later passes see the text earlier passes inserted.
void SubstitutePlaceholders(std::wstring& command, const std::wstring& toolPath,
                            const std::wstring* fileType, const std::wstring& input,
                            const std::wstring& input2, const std::wstring& output);

}  // namespace corvane
