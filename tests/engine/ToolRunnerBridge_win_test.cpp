// RunTool through the Wine ffmpeg bridge placed beside Corvane.exe: live
// progress, stopping a running conversion, working folder and concat list.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "base/TextConvert.h"
#include "engine/ToolRunner.h"
#include "tests/BuildTree_win.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// Linux processes whose command line contains marker, read through the Unix
// root drive (the bridge runs the real tool as a Linux process).
int CountLinuxProcessesWith(const std::string& marker) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  do {
    if (!iswdigit(entry.cFileName[0])) continue;
    const std::wstring path = std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\cmdline";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    char buffer[8192];
    DWORD n = 0;
    ReadFile(file, buffer, sizeof buffer, &n, nullptr);
    CloseHandle(file);
    if (std::string(buffer, n).find(marker) != std::string::npos) ++count;
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return count;
}

class ToolRunnerBridge : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_bridge = BridgeToolPath();
    if (!FileExists(s_bridge)) return;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    s_folder = std::wstring(temp) + L"corvane bridge test " + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(s_folder.c_str(), nullptr);
    s_input = s_folder + L"input clip \u00e9.mp4";
    // A ten-second clip with picture and sound (made quickly, not in real time).
    const std::wstring make = L"\"" + s_bridge +
                              L"\" -hide_banner -f lavfi -i testsrc=duration=10:size=160x120:rate=25 -f lavfi "
                              L"-i sine=duration=10 -c:v mpeg4 -c:a aac -y \"" + s_input + L"\"";
    RunTool(L"", make, [](auto&, auto&) { return true; }, [](auto&) { return true; });
  }
  void SetUp() override {
    ASSERT_TRUE(FileExists(s_bridge)) << "no bridge at " << WideToUtf8(s_bridge);
    ASSERT_TRUE(FileExists(s_input)) << "could not make the input clip";
  }
  static std::wstring s_bridge, s_folder, s_input;
};
std::wstring ToolRunnerBridge::s_bridge, ToolRunnerBridge::s_folder, ToolRunnerBridge::s_input;

TEST_F(ToolRunnerBridge, ReadsDurationAndProgressWhileTheConversionRuns) {
  const std::wstring output = s_folder + L"live.avi";
  // -re reads the input at its own pace: the run takes about ten seconds.
  const std::wstring command =
      L"\"" + s_bridge + L"\" -re -i \"" + s_input + L"\" -y \"" + output + L"\"";
  const auto start = Clock::now();
  Clock::time_point firstDuration{}, firstTime{};
  int timeLines = 0;
  const bool result = RunTool(
      L"", command,
      [&](TStdStr<char>& accumulated, const TStdStr<char>& block) {
        accumulated += block;
        if (firstDuration == Clock::time_point{} && accumulated.find("Duration:") != std::string::npos)
          firstDuration = Clock::now();
        for (size_t at = block.find("time="); at != std::string::npos; at = block.find("time=", at + 1)) {
          if (timeLines++ == 0) firstTime = Clock::now();
        }
        return true;
      },
      [&](const TStdStr<char>& accumulated) {
        return std::regex_search(accumulated, std::regex("Duration: 00:00:1[01]\\.\\d+, start:"));
      });
  const auto end = Clock::now();
  EXPECT_TRUE(result) << "no ten-second Duration line";
  ASSERT_NE(firstDuration, Clock::time_point{});
  ASSERT_NE(firstTime, Clock::time_point{});
  EXPECT_LT(firstDuration - start, 3s);
  EXPECT_GE(timeLines, 3);
  // Progress arrived while the tool was still working, not all at the end.
  EXPECT_GT(end - firstTime, 4s);
  EXPECT_GT(end - start, 8s);
  EXPECT_TRUE(FileExists(output));
}

TEST_F(ToolRunnerBridge, HandlerFalseStopsTheConversionAndLeavesNoTool) {
  const std::string marker = "corvane-stop-" + std::to_string(GetTickCount());
  const std::wstring output = s_folder + Utf8ToWide(marker) + L".avi";
  const std::wstring command = L"\"" + s_bridge + L"\" -re -i \"" + s_input + L"\" -y \"" + output + L"\"";
  int runningDuringRun = 0;
  bool doneCalled = false;
  const auto start = Clock::now();
  RunTool(
      L"", command,
      [&](TStdStr<char>&, const TStdStr<char>& block) {
        if (block.find("time=") == std::string::npos) return true;
        runningDuringRun = CountLinuxProcessesWith(marker);
        return false;
      },
      [&](const TStdStr<char>&) { return doneCalled = true; });
  EXPECT_TRUE(doneCalled);
  EXPECT_LT(Clock::now() - start, 5s);
  ASSERT_GE(runningDuringRun, 1) << "the tool was not seen while it ran";
  int left = runningDuringRun;
  for (int i = 0; i < 40 && left > 0; ++i) {
    Sleep(50);
    left = CountLinuxProcessesWith(marker);
  }
  EXPECT_EQ(left, 0) << "a tool process outlived the stop";
}

TEST_F(ToolRunnerBridge, WorkingFolderAndConcatListAreTranslated) {
  const std::wstring list = s_folder + L"list.txt";
  // The list as the fast route writes it (drive paths, LF CR line ends),
  // plus an entry relative to the list's folder.
  const std::string text = "file '" + WideToUtf8(s_input) + "'\n\rfile 'input clip \xc3\xa9.mp4'\n\r";
  HANDLE file = CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);

  // Relative list and output names are taken in the working folder.
  const std::wstring join = L"\"" + s_bridge + L"\" -f concat -safe 0 -i list.txt -f mp4 -c copy -y joined.mp4";
  RunTool(s_folder, join, [](auto&, auto&) { return true; }, [](auto&) { return true; });
  ASSERT_TRUE(FileExists(s_folder + L"joined.mp4"));

  std::string probe;
  RunTool(L"", L"\"" + s_bridge + L"\" -hide_banner -i \"" + s_folder + L"joined.mp4\"",
          [&](TStdStr<char>& acc, const TStdStr<char>& block) { return acc += block, true; },
          [&](const TStdStr<char>& acc) { return probe = acc, true; });
  EXPECT_TRUE(std::regex_search(probe, std::regex("Duration: 00:00:(19|20|21)\\.\\d+"))) << probe;
}

}  // namespace
