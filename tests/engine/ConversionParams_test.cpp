#include "engine/ConversionParams.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(MakeConversionParams, TakesTheStreamValuesWhenKnown) {
  SVideoPropertyInfo info;
  info.width = 640;
  info.videoBitrate = 1003.9;
  info.bitrate = 1200;
  info.audioBitrate = 96.5;
  info.audioSampleRate = L"48000 Hz";
  const SConversionParams p = MakeConversionParams(info);
  EXPECT_EQ(640, p.width);
  EXPECT_EQ(1003, p.videoBitrate) << "truncated, not rounded";
  EXPECT_EQ(96, p.audioBitrate);
  EXPECT_EQ(48000, p.sampleRate);
  EXPECT_EQ(44100, p.normalisedSampleRate);
}

TEST(MakeConversionParams, VideoBitrateFallsBackToOverallThenDefault) {
  SVideoPropertyInfo info;
  info.bitrate = 850.7;
  EXPECT_EQ(850, MakeConversionParams(info).videoBitrate);
  info.bitrate = 0.4;  // truncates to 0: still absent
  EXPECT_EQ(264, MakeConversionParams(info).videoBitrate);
}

TEST(MakeConversionParams, RecordWithoutAnyBitrateOrAudio) {
  const SConversionParams p = MakeConversionParams(SVideoPropertyInfo());
  EXPECT_EQ(264, p.videoBitrate);
  EXPECT_EQ(128, p.audioBitrate);
  EXPECT_EQ(22050, p.sampleRate);
  EXPECT_EQ(22050, p.normalisedSampleRate);
  EXPECT_EQ(0, p.width);
}

TEST(MakeConversionParams, ValuesAnIntCannotHoldCountAsAbsent) {
  SVideoPropertyInfo info;
  info.videoBitrate = 1e300;
  info.audioBitrate = -1e300;
  const SConversionParams p = MakeConversionParams(info);
  EXPECT_EQ(264, p.videoBitrate);
  EXPECT_EQ(128, p.audioBitrate);
}

TEST(ReadSampleRate, NumberBeforeHzOrDefault) {
  const struct { const wchar_t* text; int rate; } cases[] = {
      {L"44100 Hz", 44100}, {L"  8000Hz ", 8000}, {L"", 22050}, {L"stereo", 22050},
      {L"48 kHz", 22050},   {L"x Hz", 22050},     {L"32000 Hz", 32000}};
  for (const auto& c : cases) EXPECT_EQ(c.rate, ReadSampleRate(c.text)) << c.text;
}

TEST(NormaliseSampleRate, ThreeBands) {
  const struct { int in, out; } cases[] = {{96000, 44100}, {48000, 44100}, {44100, 44100}, {44099, 22050},
                                           {32000, 22050}, {22050, 22050}, {22049, 11025}, {16000, 11025},
                                           {8000, 11025},  {0, 11025}};
  for (const auto& c : cases) EXPECT_EQ(c.out, NormaliseSampleRate(c.in)) << c.in;
}

}  // namespace
}  // namespace corvane
