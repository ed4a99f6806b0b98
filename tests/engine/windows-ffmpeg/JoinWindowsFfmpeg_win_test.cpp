// The join engine with the real Windows ffmpeg.exe that the installer ships,
// under Wine: the one place where the program meets a Windows FFmpeg's pipes,
// its UTF-8 output and the Windows rules for command lines. The clips are
// made with Debian's ffmpeg through the bridge (the shipped tool carries only
// the encoders the routes need, no test sources).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/TextConvert.h"
#include "base/UniqueHandle.h"
#include "engine/ByteCopyJoin.h"
#include "engine/ConcatList.h"
#include "engine/ConversionParams.h"
#include "engine/FastJoin.h"
#include "engine/FastJoinCheck.h"
#include "engine/IntermediateNames.h"
#include "engine/JoinCommands.h"
#include "engine/ProbeMedia.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"
#include "tests/BuildTree_win.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;

// Runs a command to its end; the tool's whole output, decoded as the
// program decodes it.
std::wstring RunAndRead(const std::wstring& command, const std::wstring& folder = std::wstring()) {
  std::string output;
  RunTool(folder, command, [&output](TStdStr<char>&, const TStdStr<char>& block) {
    output += block;
    return true;
  }, nullptr);
  return Utf8ToWide(output);
}

struct SFindClose {
  void operator()(HANDLE search) const { FindClose(search); }
};
using CFindHandle = TUniqueHandle<HANDLE, SFindClose>;

// Deletes a folder named in the "\\?\" form and everything in it.
// RemoveFolderTree (std::filesystem::remove_all) leaves a tree deeper than
// MAX_PATH behind, in either form of its name.

bool RemoveLongFormTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE first = FindFirstFileW((folder + L"\\*").c_str(), &found);
  const CFindHandle search(first == INVALID_HANDLE_VALUE ? nullptr : first);
  for (bool more = static_cast<bool>(search); more; more = FindNextFileW(search.Get(), &found)) {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveLongFormTree(path);
    } else {
      DeleteFileW(path.c_str());
    }
  }
  return RemoveDirectoryW(folder.c_str()) != FALSE;
}

class WindowsFfmpeg : public ::testing::Test {
 protected:
  using FinalStep = std::function<std::wstring(const std::wstring& joined, const SConversionParams&)>;
  const std::wstring kLongForm = L"\\\\?\\";

  void SetUp() override {
    m_tool = WindowsToolPath();
    ASSERT_TRUE(FileExists(m_tool)) << "the build made no Windows ffmpeg.exe";
    ASSERT_TRUE(FileExists(BridgeToolPath())) << "the build put no ffmpeg bridge beside Corvane.exe";
    // Accents and CJK in the folder too: every path the tool sees has them.
    m_folder = MakeUniqueTempName(GetTempFolder(), L" caf\u00e9 \u65e5\u672c");
    ASSERT_FALSE(m_folder.empty());
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
  }
  void TearDown() override {
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }

  std::wstring MakeClip(const std::wstring& name, int seconds, const wchar_t* size = L"160x120") {
    const std::wstring path = m_folder + name;
    const std::wstring d = std::to_wstring(seconds);
    RunAndRead(L"\"" + BridgeToolPath() + L"\" -f lavfi -i testsrc=size=" + size + L":rate=25:duration=" + d +
               L" -f lavfi -i sine=duration=" + d + L" -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -y \"" +
               path + L"\"");
    EXPECT_TRUE(FileExists(path)) << "no clip " << WideToUtf8(path);
    return path;
  }
  SVideoPropertyInfo Probe(const std::wstring& path) {
    SVideoPropertyInfo info;
    EXPECT_TRUE(RunProbe(m_tool, path, info)) << WideToUtf8(path);
    return info;
  }
  double Seconds(const std::wstring& path) { return Probe(path).DurationSeconds().value_or(-1); }

  // Clips of 2 s and 3 s in a folder deeper than MAX_PATH below m_folder,
  // named in the "\\?\" form (as a drop of such a folder hands them over);
  // m_deepFolder is that folder in the same form.
  std::vector<std::wstring> MakeClipsInADeepFolder() {
    std::wstring deep = m_folder;
    while (deep.size() <= 300) {
      deep += std::wstring(60, L'd') + L" \u00e9\\";
      EXPECT_TRUE(CreateDirectoryW((kLongForm + deep).c_str(), nullptr)) << GetLastError();
    }
    m_deepFolder = kLongForm + deep;
    std::vector<std::wstring> inputs;
    for (const std::wstring& clip : {MakeClip(L"one.mp4", 2), MakeClip(L"two.mp4", 3)}) {
      inputs.push_back(m_deepFolder + clip.substr(m_folder.size()));
      EXPECT_TRUE(MoveFileW(clip.c_str(), inputs.back().c_str())) << GetLastError();
    }
    return inputs;
  }
  bool RemoveDeepFolder() { return RemoveLongFormTree(kLongForm + m_folder.substr(0, m_folder.size() - 1)); }

  // Both x264 passes into output, their statistics in statsFolder.
  std::vector<FinalStep> Mp4Passes(const std::wstring& output, const std::wstring& statsFolder) const {
    const std::wstring tool = m_tool;
    return {[=](const std::wstring& joined, const SConversionParams& params) {
              return BuildMp4Pass1Command(tool, joined, output, params, statsFolder);
            },
            [=](const std::wstring& joined, const SConversionParams& params) {
              return BuildMp4Pass2Command(tool, joined, output, params, statsFolder);
            }};
  }

  // The conversion route as the join runs it: each input to an MPEG
  // intermediate, the intermediates joined byte for byte, then the final
  // steps (one or two passes) from the joined stream into output.
  void Convert(const std::vector<std::wstring>& inputs, const std::wstring& output,
               const std::vector<FinalStep>& finalSteps, const std::wstring& finalFolder = std::wstring()) {
    const SVideoPropertyInfo reference = Probe(inputs.front());
    std::vector<std::wstring> intermediates;
    for (const std::wstring& input : inputs) {
      intermediates.push_back(IntermediatePath(output, input));
      RunAndRead(BuildToMpegCommand(m_tool, input, intermediates.back(), MakeIntermediateFormat(reference),
                                    Probe(input)));
      ASSERT_TRUE(FileExists(intermediates.back())) << "no intermediate from " << WideToUtf8(input);
    }
    const std::wstring joined = JoinedStreamPath(intermediates.front());
    ASSERT_TRUE(JoinByteCopy(intermediates, joined, {}));
    for (const FinalStep& step : finalSteps) RunAndRead(step(joined, MakeConversionParams(reference)), finalFolder);
  }

  std::wstring m_tool;
  std::wstring m_folder;
  std::wstring m_deepFolder;
};

TEST_F(WindowsFfmpeg, ProbeReadsAUnicodeNameAndEveryField) {
  const std::wstring clip = MakeClip(L"it's \u00e9t\u00e9 \u65e5\u672c.mp4", 2);
  const SVideoPropertyInfo info = Probe(clip);
  EXPECT_EQ(L"mp4", info.format);
  EXPECT_EQ(160, info.width);
  EXPECT_EQ(120, info.height);
  EXPECT_EQ(25, info.frameRate);
  EXPECT_EQ(L"00:00:02.00", info.duration);
  EXPECT_NE(std::wstring::npos, info.videoCodec.find(L"h264"));
  EXPECT_NE(std::wstring::npos, info.audioCodec.find(L"aac"));
  EXPECT_EQ(L"44100 Hz", info.audioSampleRate);
  // The tool names the file in UTF-8, whatever the system's code page.
  EXPECT_NE(std::wstring::npos, RunAndRead(BuildProbeCommand(m_tool, clip)).find(L"from '" + clip + L"'"));
}

TEST_F(WindowsFfmpeg, FastRoutesToMp4AndFlvThroughAListOfUnicodeNames) {
  const std::vector<std::wstring> inputs = {MakeClip(L"it's one.mp4", 2), MakeClip(L"\u00e9 & \u4e09.mp4", 3)};
  for (const bool mp4 : {true, false}) {
    SCOPED_TRACE(mp4 ? "mp4" : "flv");
    const std::wstring output = m_folder + (mp4 ? L"fast \u00e9.mp4" : L"fast \u00e9.flv");
    const std::wstring list = CreateUniqueTempFile(m_folder, L"TFR");
    ASSERT_TRUE(WriteTempFileContent(list, BuildConcatList(inputs)));
    RunAndRead(BuildFastJoinCommand(mp4, m_tool, list, output));
    const SVideoPropertyInfo result = Probe(output);
    EXPECT_EQ(mp4 ? L"mp4" : L"f4v", result.format);
    EXPECT_NE(std::wstring::npos, result.videoCodec.find(L"h264"));
    EXPECT_NE(std::wstring::npos, result.audioCodec.find(L"aac"));
    EXPECT_NEAR(5, result.DurationSeconds().value_or(-1), 0.3);
  }
}

// Every final conversion, each from the same two inputs: the encoders the
// shipped tool was built with, in the containers the routes write.
TEST_F(WindowsFfmpeg, ConversionRoutesWriteTheirFormats) {
  const std::vector<std::wstring> inputs = {MakeClip(L"\u00e9 one.mp4", 2), MakeClip(L"\u4e8c two.mp4", 3)};
  struct SRoute {
    const wchar_t* name;
    std::function<std::wstring(const std::wstring&, const std::wstring&, const std::wstring&, const SConversionParams&)>
        build;
    const wchar_t* videoCodec;
    const wchar_t* audioCodec;
  };
  const std::vector<SRoute> routes = {
      {L"avi", BuildAviCommand, L"msmpeg4v3", L"mp3"},
      {L"wmv", BuildWmvCommand, L"wmv2", L"wmav2"},
      {L"rm", BuildRmCommand, L"rv10", L"ac3"},
  };
  for (const SRoute& route : routes) {
    SCOPED_TRACE(WideToUtf8(route.name));
    const std::wstring output = m_folder + L"joined \u00e9." + route.name;
    Convert(inputs, output, {[&](const std::wstring& joined, const SConversionParams& params) {
              return route.build(m_tool, joined, output, params);
            }});
    const SVideoPropertyInfo result = Probe(output);
    EXPECT_NE(std::wstring::npos, result.videoCodec.find(route.videoCodec)) << WideToUtf8(result.videoCodec);
    EXPECT_NE(std::wstring::npos, result.audioCodec.find(route.audioCodec)) << WideToUtf8(result.audioCodec);
    EXPECT_NEAR(5, result.DurationSeconds().value_or(-1), 0.5);
  }
}

// Both x264 passes run in their own folder, whose name holds accents too, and
// the second finds the statistics the first left there.
TEST_F(WindowsFfmpeg, Mp4TwoPassConversion) {
  const std::vector<std::wstring> inputs = {MakeClip(L"one.mp4", 2), MakeClip(L"\u00e9 two.mp4", 3)};
  const std::wstring output = m_folder + L"two pass \u65e5.mp4";
  const std::wstring workFolder = MakeX264WorkingFolder(output);
  ASSERT_FALSE(workFolder.empty());
  Convert(inputs, output, Mp4Passes(output, workFolder));
  const SVideoPropertyInfo result = Probe(output);
  EXPECT_EQ(L"mp4", result.format);
  EXPECT_NE(std::wstring::npos, result.videoCodec.find(L"h264"));
  EXPECT_NE(std::wstring::npos, result.audioCodec.find(L"aac"));
  EXPECT_NEAR(5, result.DurationSeconds().value_or(-1), 0.5);
  EXPECT_TRUE(RemoveX264WorkingFolder(workFolder)) << "the passes wrote files the clean-up does not know";
}

// Clips in a folder deeper than MAX_PATH, named in the "\\?\" form (as a
// drop of such a folder hands them over): probed, found alike, and joined on
// the fast route with the output beside them. The tool opens such names
// itself; the program must pass them on whole and unchanged, in the command
// line and in the concat list.
TEST_F(WindowsFfmpeg, FastRouteInAFolderDeeperThanMaxPath) {
  const std::vector<std::wstring> inputs = MakeClipsInADeepFolder();
  ASSERT_GT(inputs.front().size(), 300u);
  std::vector<SVideoPropertyInfo> records;
  for (const std::wstring& input : inputs) {
    records.push_back(Probe(input));
    EXPECT_NE(std::wstring::npos, records.back().videoCodec.find(L"h264")) << WideToUtf8(input);
  }
  EXPECT_FALSE(FindInputMismatch(records).has_value());
  const std::wstring output = m_deepFolder + L"joined.mp4";
  const std::wstring list = CreateUniqueTempFile(GetTempFolder(), L"TFR");
  ASSERT_FALSE(list.empty());
  ASSERT_TRUE(WriteTempFileContent(list, BuildConcatList(inputs)));
  const std::wstring toolText = RunAndRead(BuildFastJoinCommand(/*mp4=*/true, m_tool, list, output));
  RemoveFile(list);
  ASSERT_TRUE(FileExists(output)) << WideToUtf8(toolText);
  const SVideoPropertyInfo result = Probe(output);
  EXPECT_NE(std::wstring::npos, result.videoCodec.find(L"h264"));
  EXPECT_NE(std::wstring::npos, result.audioCodec.find(L"aac"));
  EXPECT_NEAR(5, result.DurationSeconds().value_or(-1), 0.3);
  EXPECT_TRUE(RemoveDeepFolder());
}

// The conversion route in a folder deeper than MAX_PATH: intermediates, the
// byte join and both x264 passes (whose statistics folder is there too).
TEST_F(WindowsFfmpeg, ConversionRoutesInAFolderDeeperThanMaxPath) {
  const std::vector<std::wstring> inputs = MakeClipsInADeepFolder();
  const std::wstring avi = m_deepFolder + L"joined.avi";
  Convert(inputs, avi, {[&](const std::wstring& joined, const SConversionParams& params) {
            return BuildAviCommand(m_tool, joined, avi, params);
          }});
  EXPECT_NEAR(5, Seconds(avi), 0.5);
  const std::wstring mp4 = m_deepFolder + L"joined.mp4";
  const std::wstring workFolder = MakeX264WorkingFolder(mp4);
  ASSERT_FALSE(workFolder.empty());
  Convert(inputs, mp4, Mp4Passes(mp4, workFolder));
  EXPECT_NEAR(5, Seconds(mp4), 0.5);
  EXPECT_TRUE(RemoveX264WorkingFolder(workFolder));
  EXPECT_TRUE(RemoveDeepFolder());
}

// Cancel while the tool converts: the run ends at once, and the half-written
// file is free to delete (no process of the tool holds it any more).
TEST_F(WindowsFfmpeg, CancelDuringAConversionEndsTheToolAtOnce) {
  const std::wstring input = MakeClip(L"long \u00e9.mp4", 30, L"640x480");
  const std::wstring intermediate = m_folder + L"long \u00e9.xbv";
  CToolStop stop;
  std::atomic<bool> converting{false};
  Clock::time_point stoppedAt;
  std::thread canceller([&] {
    while (!converting.load()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stoppedAt = Clock::now();
    stop.Stop();
  });
  const SVideoPropertyInfo record = Probe(input);
  const auto onChunk = [&converting](TStdStr<char>&, const TStdStr<char>& block) {
    if (block.find("time=") != std::string::npos) converting = true;
    return true;
  };
  const Clock::time_point started = Clock::now();
  RunTool(std::wstring(), BuildToMpegCommand(m_tool, input, intermediate, MakeIntermediateFormat(record), record),
          onChunk, nullptr, &stop);
  const Clock::time_point ended = Clock::now();
  if (!converting) converting = true;  // lets the canceller end if the tool never got going
  canceller.join();
  ASSERT_LT(stoppedAt, ended) << "the tool ended before it printed any progress";
  EXPECT_LT(ended - stoppedAt, std::chrono::seconds(2));
  EXPECT_LT(started, stoppedAt);
  EXPECT_TRUE(DeleteFileW(intermediate.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
      << "the half-written file is still held (" << GetLastError() << ")";
}

}  // namespace
}  // namespace corvane
