#include "engine/JoinCommands.h"

#include "engine/VideoPropertyInfo.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::wstring kTool = L"C:\\Prog\\ffmpeg.exe";
const std::wstring kJoined = L"C:\\out\\a_all.xbv";
const std::wstring kOutput = L"C:\\out\\result.avi";

SConversionParams Params() {
  SConversionParams p;
  p.width = 640;
  p.videoBitrate = 1003;
  p.audioBitrate = 96;
  p.sampleRate = 32000;
  p.normalisedSampleRate = 22050;
  return p;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

SVideoPropertyInfo Input(const wchar_t* duration, const wchar_t* audioCodec) {
  SVideoPropertyInfo info;
  info.duration = duration;
  info.audioCodec = audioCodec;
  return info;
}

// Every intermediate of a job takes the first input's size and rate, and
// the shorter of picture and sound is padded to the input's length.
TEST(BuildToMpegCommand, SharedFormatAndPaddedLength) {
  SVideoPropertyInfo first;
  first.width = 641;  // odd sides are rounded down for the encoder
  first.height = 360;
  first.frameRate = 15;  // slower than 20 fps: 24
  const SIntermediateFormat format = MakeIntermediateFormat(first);
  const std::wstring withSound =
      BuildToMpegCommand(kTool, L"D:\\in\\a b.mp4", L"C:\\out\\a b.xbv", format, Input(L"00:01:02.50", L"aac"));
  EXPECT_EQ(L"\"C:\\Prog\\ffmpeg.exe\" -i \"D:\\in\\a b.mp4\" -map 0:v:0 -map 0:a:0 -vf \"scale=640:360:"
            L"force_original_aspect_ratio=decrease,pad=640:360:(ow-iw)/2:(oh-ih)/2,setsar=1,"
            L"tpad=stop=-1:stop_mode=clone\" -af apad -t 62.50 -r 24 -ar 44100 -ac 2 -q:v 1 -f mpeg -y "
            L"\"C:\\out\\a b.xbv\"",
            withSound);
  // No sound: a silent track; no known length: cut where the picture ends.
  const std::wstring silent = BuildToMpegCommand(kTool, L"D:\\a.mp4", L"C:\\out\\a.xbv", format, Input(L"N/A", L""));
  EXPECT_TRUE(Contains(silent, L"-f lavfi -i anullsrc=r=44100:cl=stereo -map 0:v:0 -map 1:a:0")) << silent;
  EXPECT_TRUE(Contains(silent, L"-af apad -shortest")) << silent;
  EXPECT_FALSE(Contains(silent, L"tpad")) << silent;
}

TEST(IntermediateFrameRate, ByProbedRate) {
  const struct { double fps; const wchar_t* rate; } cases[] = {
      {0, L"24"},           {15, L"24"},     {19.99, L"24"},         {20, L"24000/1001"}, {23.98, L"24000/1001"},
      {24, L"24"},          {25, L"25"},     {29.97, L"30000/1001"}, {30, L"30"},         {48, L"50"},
      {59.94, L"60000/1001"}, {120, L"60"},  {27.5, L"30000/1001"}};
  for (const auto& c : cases) EXPECT_EQ(c.rate, IntermediateFrameRate(c.fps)) << c.fps;
}

TEST(FinalCommands, NumbersLandInTheirFields) {
  const SConversionParams p = Params();
  const std::wstring avi = BuildAviCommand(kTool, kJoined, kOutput, p);
  EXPECT_TRUE(Contains(avi, L"-acodec libmp3lame -vcodec msmpeg4 -ab 96k -b:v 1003k -ar 22050 -q:v 1 -f avi -y")) << avi;
  EXPECT_TRUE(Contains(BuildFlvCommand(kTool, kJoined, kOutput, p), L"-q:v 1 -ar 22050 -f flv -y"));
  EXPECT_TRUE(Contains(BuildWmvCommand(kTool, kJoined, kOutput, p), L"-ar 22050 -vcodec wmv2 -acodec wmav2 -f asf -y"));
  const std::wstring pass1 = BuildMp4Pass1Command(kTool, kJoined, kOutput, p, L"C:\\out\\2A7F\\");
  EXPECT_TRUE(Contains(pass1, L"-an -fps_mode passthrough -pass 1 -passlogfile \"C:\\out\\2A7F\\ffmpeg2pass\" -vcodec libx264 -preset veryslow -b:v 1003k -threads 0 -f mp4 "
                              L"-vf \"setpts=N/FRAME_RATE/TB,scale=640:trunc(ow/a/vsub)*vsub\" -y")) << pass1;
  const std::wstring pass2 = BuildMp4Pass2Command(kTool, kJoined, kOutput, p, L"C:\\out\\2A7F\\");
  EXPECT_TRUE(Contains(pass2, L"-acodec aac -ab 96k -af \"asetpts=N/SR/TB\" -fps_mode passthrough -pass 2 -passlogfile \"C:\\out\\2A7F\\ffmpeg2pass\" -vcodec libx264 "
                              L"-preset veryslow -b:v 1003k -threads 0 -f mp4 "
                              L"-vf \"setpts=N/FRAME_RATE/TB,scale=640:trunc(ow/a/vsub)*vsub\" -y")) << pass2;
}

TEST(FinalCommands, EveryStepReadsTheJoinedMpegStreamAndWritesTheOutput) {
  const SConversionParams p = Params();
  const std::wstring commands[] = {
      BuildAviCommand(kTool, kJoined, kOutput, p),      BuildFlvCommand(kTool, kJoined, kOutput, p),
      BuildRmCommand(kTool, kJoined, kOutput, p),       BuildWmvCommand(kTool, kJoined, kOutput, p),
      BuildMp4Pass1Command(kTool, kJoined, kOutput, p, L"C:\\out\\2A7F\\"), BuildMp4Pass2Command(kTool, kJoined, kOutput, p, L"C:\\out\\2A7F\\")};
  for (const std::wstring& command : commands) {
    EXPECT_EQ(0u, command.find(L"\"C:\\Prog\\ffmpeg.exe\" -f mpeg -i \"C:\\out\\a_all.xbv\" ")) << command;
    EXPECT_TRUE(Contains(command, L" -y \"C:\\out\\result.avi\"")) << command;
    EXPECT_FALSE(Contains(command, L"#")) << "placeholder left: " << command;
    EXPECT_FALSE(Contains(command, L"%d")) << command;
  }
}

TEST(BuildRmCommand, AudioRateIsOneAc3AcceptsAndFrameSidesAreMultiplesOf16) {
  SConversionParams p = Params();
  const std::wstring rm = BuildRmCommand(kTool, kJoined, kOutput, p);
  EXPECT_TRUE(Contains(rm, L"-q:v 1 -ar 32000 -vf \"setpts=N/FRAME_RATE/TB,scale=trunc(iw/16)*16:trunc(ih/16)*16\" "
                           L"-af \"asetpts=N/SR/TB\" -f rm -y")) << rm;
  p.normalisedSampleRate = 44100;
  EXPECT_TRUE(Contains(BuildRmCommand(kTool, kJoined, kOutput, p), L"-ar 44100 "));
  EXPECT_EQ(32000, RmSampleRate(11025));
}

}  // namespace
}  // namespace corvane
