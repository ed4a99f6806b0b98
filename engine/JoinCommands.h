#pragma once
// The tool commands of the MPEG route, one builder per step. Each returns the
// finished command line (placeholders substituted); running it and the order
// of the steps belong to the join controller.
//
// Every step runs with the program folder as current folder, except the two
// MP4 passes, which run in the x264 working folder (MakeX264WorkingFolder)
// where the tool keeps its two-pass statistics.
#include <string>

#include "engine/ConversionParams.h"

namespace corvane {

struct SVideoPropertyInfo;

// What every intermediate of one job shares. The intermediates are joined
// byte by byte and read back as one stream: a change of frame size, frame
// rate or audio format at a seam makes the tool reconfigure mid-stream and
// write a file whose length and timing are wrong. So every input is brought
// to the first input's size (scaled to fit, with borders) and rate, and to
// one audio format.
struct SIntermediateFormat {
  int width = 0;  // 0 when the first input's size is unknown: sizes are kept
  int height = 0;
  std::wstring frameRate;  // an MPEG-1 rate ("25", "30000/1001")
};
SIntermediateFormat MakeIntermediateFormat(const SVideoPropertyInfo& reference);

// One input (described by its own probe record) to an MPEG program stream.
// Each intermediate gets audio and video of the input's whole length (the
// shorter one padded, a silent track for an input without sound), so that
// picture and sound stay together across the seams of the joined stream.
std::wstring BuildToMpegCommand(const std::wstring& toolPath, const std::wstring& input,
                                const std::wstring& intermediate, const SIntermediateFormat& format,
                                const SVideoPropertyInfo& inputRecord);

// The MPEG-1 rate the intermediates of a job whose first input runs at
// frameRate are made at.
std::wstring IntermediateFrameRate(double frameRate);

// The final conversions of the joined stream to the output.
std::wstring BuildAviCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
std::wstring BuildFlvCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
std::wstring BuildRmCommand(const std::wstring& toolPath, const std::wstring& joined,
                            const std::wstring& output, const SConversionParams& params);
std::wstring BuildWmvCommand(const std::wstring& toolPath, const std::wstring& joined,
                             const std::wstring& output, const SConversionParams& params);
// The two x264 passes keep their statistics in statsFolder (with a trailing
// separator), named on the command line.
std::wstring BuildMp4Pass1Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params,
                                  const std::wstring& statsFolder);
std::wstring BuildMp4Pass2Command(const std::wstring& toolPath, const std::wstring& joined,
                                  const std::wstring& output, const SConversionParams& params,
                                  const std::wstring& statsFolder);

// The sample rate the RM step asks for: AC-3, the audio codec of RealMedia
// files here, takes 44100 but neither 22050 nor 11025 Hz.
int RmSampleRate(int normalisedSampleRate);

}  // namespace corvane
