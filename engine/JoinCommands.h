#pragma once
// The tool commands of the MPEG route, one builder per step. Each returns the
// finished command line (placeholders substituted); running it and the order
// of the steps belong to the join controller.
//
// Every step runs with the program folder as current folder, except the two
// MP4 passes, which run in the x264 working folder (MakeX264WorkingFolder)
// where the tool keeps its two-pass statistics.
#include <string>
#include <vector>

#include "engine/ConversionParams.h"

namespace corvane {

// One input to an MPEG program stream (the intermediate). frameRate is the
// input's probed rate; MPEG-1 takes only a few standard rates, so other
// rates are converted.
std::wstring BuildToMpegCommand(const std::wstring& toolPath, const std::wstring& input,
                                const std::wstring& intermediate, double frameRate);

// The "-r" value the intermediate needs for an input of frameRate, or empty
// when the input's own rate can be kept.
std::wstring IntermediateFrameRate(double frameRate);

// The command interpreter's byte-exact copy of the intermediates, in order,
// into the joined stream (Windows only; see JoinByteCopy).
std::wstring BuildByteCopyCommand(const std::vector<std::wstring>& intermediates, const std::wstring& joined);

// The final conversions of the joined stream to the output.
std::wstring BuildAviCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
std::wstring BuildFlvCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
std::wstring BuildRmCommand(const std::wstring& toolPath, const std::wstring& joined,
                            const std::wstring& output, const SConversionParams& params);
std::wstring BuildWmvCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
std::wstring BuildMp4Pass1Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params);
std::wstring BuildMp4Pass2Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params);

// The sample rate the RM step asks for: AC-3, the audio codec of RealMedia
// files here, takes 44100 but neither 22050 nor 11025 Hz.
int RmSampleRate(int normalisedSampleRate);

}  // namespace corvane
