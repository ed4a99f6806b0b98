// The property dialog's texts and their empty rules.
#include <gtest/gtest.h>

#include "app/PropertyTexts.h"

namespace corvane {
namespace {

SVideoPropertyInfo Record() {
  SVideoPropertyInfo info;
  info.width = 640;
  info.height = 360;
  info.bitrate = 1234.5;
  info.audioBitrate = 128;
  info.frameRate = 29.97;
  return info;
}

TEST(PropertyTexts, KnownValues) {
  const SVideoPropertyInfo info = Record();
  EXPECT_EQ(BitrateText(info), L"1234.50 kb/s");
  EXPECT_EQ(AudioBitrateText(info), L"128.00 kb/s");
  EXPECT_EQ(FrameRateText(info), L"29.97 fps");
  EXPECT_EQ(DimensionsText(info, L"Pixel"), L"640x360 Pixel");
}

TEST(PropertyTexts, UnknownValuesGiveEmptyTexts) {
  const struct {
    const char* what;
    void (*clear)(SVideoPropertyInfo&);
    std::wstring (*text)(const SVideoPropertyInfo&);
  } cases[] = {
      {"no bit rate", [](SVideoPropertyInfo& i) { i.bitrate = 0; }, &BitrateText},
      {"no audio bit rate", [](SVideoPropertyInfo& i) { i.audioBitrate = 0; }, &AudioBitrateText},
      {"no frame rate", [](SVideoPropertyInfo& i) { i.frameRate = 0; }, &FrameRateText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SVideoPropertyInfo info = Record();
    EXPECT_FALSE(c.text(info).empty());
    c.clear(info);
    EXPECT_EQ(c.text(info), L"");
  }
  SVideoPropertyInfo noWidth = Record();
  noWidth.width = 0;
  EXPECT_EQ(DimensionsText(noWidth, L"pixels"), L"");
  SVideoPropertyInfo noHeight = Record();
  noHeight.height = 0;
  EXPECT_EQ(DimensionsText(noHeight, L"pixels"), L"");
}

}  // namespace
}  // namespace corvane
