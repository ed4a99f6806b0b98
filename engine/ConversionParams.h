#pragma once
// The numbers that fill the final conversion commands, taken from the first
// input's probe record.
#include <string>

#include "engine/VideoPropertyInfo.h"

namespace corvane {

struct SConversionParams {
  int width = 0;
  int videoBitrate = 0;          // kb/s
  int audioBitrate = 0;          // kb/s
  int sampleRate = 0;            // Hz
  int normalisedSampleRate = 0;  // 11025, 22050 or 44100 Hz
};

// Video bit rate: the video stream's, else the overall one, else 264.
// Audio bit rate: the audio stream's, else 128. Sample rate: the number
// before "Hz" in audioSampleRate, else 22050.
SConversionParams MakeConversionParams(const SVideoPropertyInfo& reference);

// Above 44099 gives 44100, below 22050 gives 11025, otherwise 22050.
int NormaliseSampleRate(int sampleRate);

// The number matched by "(.+)Hz" in text, trimmed; 22050 when there is none
// or it is not a whole number.
int ReadSampleRate(const std::wstring& text);

}  // namespace corvane
