// The probe and both join routes from the Windows build, under Wine, with
// Debian's ffmpeg reached through the Winelib bridge that the build places in
// <build>/app/ffmpeg.exe. Skipped when the bridge was not built.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/TextConvert.h"
#include "engine/ByteCopyJoin.h"
#include "engine/ConcatList.h"
#include "engine/ConversionParams.h"
#include "engine/FastJoin.h"
#include "engine/IntermediateNames.h"
#include "engine/JoinCommands.h"
#include "engine/ProbeMedia.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"
#include "tests/BuildTree_win.h"

namespace corvane {
namespace {

bool RunToEnd(const std::wstring& command) {
  const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
  const auto done = [](const TStdStr<char>&) { return true; };
  return RunTool(std::wstring(), command, keepReading, done);
}

// "00:00:05.08" in seconds; -1 when it is not such a text.
double Seconds(const std::wstring& duration) {
  int h = 0, m = 0;
  double s = 0;
  return swscanf(duration.c_str(), L"%d:%d:%lf", &h, &m, &s) == 3 ? h * 3600 + m * 60 + s : -1;
}

class JoinThroughBridge : public ::testing::Test {
 protected:
  void SetUp() override {
    m_tool = BridgeToolPath();
    ASSERT_NE(GetFileAttributesW(m_tool.c_str()), INVALID_FILE_ATTRIBUTES) << "the build put no ffmpeg bridge beside the tests";
    const std::wstring temp = GetTempFolder();
    m_folder = MakeUniqueTempName(temp, L" in put \u00e9");
    ASSERT_FALSE(m_folder.empty());
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
  }
  void TearDown() override {
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }

  std::wstring MakeClip(const std::wstring& name, int seconds) {
    const std::wstring path = m_folder + name;
    const std::wstring d = std::to_wstring(seconds);
    EXPECT_TRUE(RunToEnd(L"\"" + m_tool + L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=" + d +
                         L" -f lavfi -i sine=duration=" + d + L" -c:v libx264 -pix_fmt yuv420p -c:a aac -y \"" +
                         path + L"\""));
    return path;
  }
  SVideoPropertyInfo Probe(const std::wstring& path) {
    SVideoPropertyInfo info;
    EXPECT_TRUE(RunProbe(m_tool, path, info));
    return info;
  }

  std::wstring m_tool;
  std::wstring m_folder;
};

TEST_F(JoinThroughBridge, ProbeReadsEveryField) {
  const SVideoPropertyInfo info = Probe(MakeClip(L"a'b & \u4e09.mp4", 2));
  EXPECT_EQ(L"mp4", info.format);
  EXPECT_EQ(160, info.width);
  EXPECT_EQ(120, info.height);
  EXPECT_EQ(25, info.frameRate);
  EXPECT_EQ(L"00:00:02.00", info.duration);
  EXPECT_GT(info.bitrate, 0);
  EXPECT_GT(info.videoBitrate, 0);
  EXPECT_GT(info.audioBitrate, 0);
  EXPECT_EQ(L"h264 (High) (avc1 / 0x31637661)", info.videoCodec);
  EXPECT_EQ(L"aac (LC) (mp4a / 0x6134706D)", info.audioCodec);
  EXPECT_EQ(L"44100 Hz", info.audioSampleRate);
}

TEST_F(JoinThroughBridge, MpegRouteToFlv) {
  const std::vector<std::wstring> inputs = {MakeClip(L"a.mp4", 2), MakeClip(L"b'\u00e9.mp4", 3)};
  const std::wstring output = m_folder + L"result.flv";
  std::vector<std::wstring> intermediates;
  for (const std::wstring& input : inputs) {
    intermediates.push_back(IntermediatePath(output, input));
    ASSERT_TRUE(RunToEnd(BuildToMpegCommand(m_tool, input, intermediates.back(), MakeIntermediateFormat(Probe(inputs.front())), Probe(input))));
  }
  const std::wstring joined = JoinedStreamPath(intermediates.front());
  ASSERT_TRUE(JoinByteCopy(intermediates, joined, {}));
  ASSERT_TRUE(RunToEnd(BuildFlvCommand(m_tool, joined, output, MakeConversionParams(Probe(inputs[0])))));
  const SVideoPropertyInfo result = Probe(output);
  EXPECT_EQ(L"flv", result.format);
  EXPECT_EQ(L"flv1", result.videoCodec);
  EXPECT_EQ(L"mp3", result.audioCodec);
  EXPECT_NEAR(5, Seconds(result.duration), 0.5);
}

TEST_F(JoinThroughBridge, FastRouteListReachesTheToolWithOddNames) {
  const std::vector<std::wstring> inputs = {MakeClip(L"it's one.mp4", 2), MakeClip(L"\u00e9 & \u4e09.mp4", 3)};
  const std::wstring list = CreateUniqueTempFile(m_folder, L"TFR");
  ASSERT_TRUE(WriteTempFileContent(list, BuildConcatList(inputs)));
  const std::wstring output = m_folder + L"fast.mp4";
  ASSERT_TRUE(RunToEnd(BuildFastJoinCommand(/*mp4=*/true, m_tool, list, output)));
  const SVideoPropertyInfo result = Probe(output);
  EXPECT_EQ(L"mp4", result.format);
  EXPECT_NE(std::wstring::npos, result.videoCodec.find(L"h264"));
  EXPECT_NE(std::wstring::npos, result.audioCodec.find(L"aac"));
  EXPECT_NEAR(5, Seconds(result.duration), 0.5);
}

}  // namespace
}  // namespace corvane
