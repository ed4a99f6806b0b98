#include "cli/CliArguments.h"

#include <gtest/gtest.h>

#include "cli/ProbeReport.h"
#include "cli/ProgressBar.h"

using namespace corvane;

TEST(ParseCliArguments, JoinTakesOutputAndInputsInOrder) {
  const SCliArguments args = ParseCliArguments({"join", "-o", "out.avi", "a.mp4", "b.flv", "c.wmv"});
  ASSERT_EQ(args.verb, SCliArguments::kJoin);
  EXPECT_FALSE(args.fast);
  EXPECT_EQ(args.output, "out.avi");
  EXPECT_EQ(args.inputs, (std::vector<std::string>{"a.mp4", "b.flv", "c.wmv"}));
}

TEST(ParseCliArguments, FastMayStandAnywhereAndDashDashEndsOptions) {
  const SCliArguments args = ParseCliArguments({"join", "a.mp4", "--fast", "-o", "o.mp4", "--", "-b.mp4"});
  ASSERT_EQ(args.verb, SCliArguments::kJoin);
  EXPECT_TRUE(args.fast);
  EXPECT_EQ(args.inputs, (std::vector<std::string>{"a.mp4", "-b.mp4"}));
}

TEST(ParseCliArguments, MalformedCommandLinesSayWhy) {
  struct {
    std::vector<std::string> args;
    const char* why;
  } const cases[] = {
      {{}, "no command given"},
      {{"merge"}, "unknown command merge"},
      {{"probe"}, "probe takes exactly one file"},
      {{"probe", "a", "b"}, "probe takes exactly one file"},
      {{"join", "a.mp4", "b.mp4"}, "no output file given (-o OUTPUT)"},
      {{"join", "-o", "o.mp4", "a.mp4"}, "a join needs at least two input files"},
      {{"join", "a.mp4", "b.mp4", "-o"}, "-o needs an output file"},
      {{"join", "-x", "-o", "o.mp4", "a", "b"}, "unknown option -x"},
  };
  for (const auto& c : cases) {
    const SCliArguments args = ParseCliArguments(c.args);
    EXPECT_EQ(args.verb, SCliArguments::kInvalid);
    EXPECT_EQ(args.error, c.why);
  }
}

TEST(ParseCliArguments, ProbeAndHelp) {
  const SCliArguments probe = ParseCliArguments({"probe", "clip.mp4"});
  ASSERT_EQ(probe.verb, SCliArguments::kProbe);
  EXPECT_EQ(probe.inputs, std::vector<std::string>{"clip.mp4"});
  EXPECT_EQ(ParseCliArguments({"--help"}).verb, SCliArguments::kHelp);
}

TEST(FormatProbeReport, PrintsEveryFieldInRecordOrder) {
  SVideoPropertyInfo info;
  info.filePath = L"/v/\u00e9t\u00e9.mp4";
  info.format = L"mp4";
  info.width = 320;
  info.height = 240;
  info.bitrate = 1205;
  info.videoBitrate = 1003.5;
  info.audioBitrate = 128;
  info.frameRate = 29.97;
  info.duration = L"00:00:03.00";
  info.videoCodec = L"h264 (High)";
  info.audioCodec = L"aac (LC)";
  info.audioSampleRate = L"44100 Hz";
  EXPECT_EQ(FormatProbeReport(info),
            "filePath: /v/\xC3\xA9t\xC3\xA9.mp4\n"
            "format: mp4\n"
            "width: 320\n"
            "height: 240\n"
            "bitrate: 1205\n"
            "videoBitrate: 1003.5\n"
            "audioBitrate: 128\n"
            "frameRate: 29.97\n"
            "duration: 00:00:03.00\n"
            "videoCodec: h264 (High)\n"
            "audioCodec: aac (LC)\n"
            "audioSampleRate: 44100 Hz\n");
}

TEST(RenderProgressBar, FillsInProportionAndClampsForDrawing) {
  EXPECT_EQ(RenderProgressBar(0, 10), "[..........]   0%");
  EXPECT_EQ(RenderProgressBar(37, 10), "[###.......]  37%");
  EXPECT_EQ(RenderProgressBar(100, 10), "[##########] 100%");
  EXPECT_EQ(RenderProgressBar(130, 10), "[##########] 100%");
  EXPECT_EQ(RenderProgressBar(-5, 10), "[..........]   0%");
}
