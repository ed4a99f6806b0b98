// Corvane.exe started by another program with launch data: it joins the
// clips on the fast route, tells the launcher's window that it has finished
// and quits with exit code 2, leaving the joined file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/TextConvert.h"
#include "engine/ProbeMedia.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"
#include "tests/LaunchDataText.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

constexpr wchar_t kLauncherClass[] = L"CorvaneLaunchTestLauncher";
constexpr wchar_t kLauncherMessage[] = L"UWM_CorvaneLaunchTest_IsMe";

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// "00:00:05.08" in seconds; -1 when it is not such a text.
double Seconds(const std::wstring& duration) {
  int h = 0, m = 0;
  double s = 0;
  return swscanf(duration.c_str(), L"%d:%d:%lf", &h, &m, &s) == 3 ? h * 3600 + m * 60 + s : -1;
}

struct SNotices {
  int count = 0;
  ULONG_PTR tag = 0;
  std::string bytes;
};
SNotices g_notices;

LRESULT CALLBACK LauncherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT identify = RegisterWindowMessageW(kLauncherMessage);
  if (message == identify) return identify;
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    ++g_notices.count;
    g_notices.tag = data->dwData;
    g_notices.bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class LaunchedJoin : public ::testing::Test {
 protected:
  void SetUp() override {
    m_program = BuildTreePath("app/Corvane.exe");
    m_tool = BuildTreePath("app/ffmpeg.exe");
    ASSERT_TRUE(FileExists(m_program)) << "Corvane.exe was not built";
    ASSERT_TRUE(FileExists(m_tool)) << "the build put no ffmpeg bridge beside Corvane.exe";
    m_folder = MakeUniqueTempName(GetTempFolder(), L"launch");
    ASSERT_FALSE(m_folder.empty());
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &LauncherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kLauncherClass;
    RegisterClassExW(&wc);
    m_launcher = CreateWindowExW(0, kLauncherClass, L"launcher", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_launcher, nullptr);
    g_notices = {};
  }
  void TearDown() override {
    if (m_process.hProcess) {
      if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_process.hProcess, 99);
      CloseHandle(m_process.hProcess);
      CloseHandle(m_process.hThread);
    }
    if (m_launcher) DestroyWindow(m_launcher);
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }

  std::wstring MakeClip(const std::wstring& name, int frequency) {
    const std::wstring path = m_folder + name;
    const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
    const auto done = [](const TStdStr<char>&) { return true; };
    EXPECT_TRUE(RunTool(std::wstring(),
                        L"\"" + m_tool + L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi -i "
                        L"sine=frequency=" + std::to_wstring(frequency) +
                        L":duration=2 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -y \"" + path + L"\"",
                        keepReading, done));
    return path;
  }

  std::wstring LaunchData(const std::vector<std::wstring>& clips, const std::wstring& output,
                          const std::wstring& address) {
    std::wstring text = L"{#VideoClipsPath#:[";
    for (size_t i = 0; i < clips.size(); ++i) text += (i ? L"," : L"") + LaunchDataText(clips[i]);
    text += L"],#OutputPath#:" + LaunchDataText(output) + L",#FlvUrl#:" + LaunchDataText(address) +
            L",#AppMainWndClassName#:" + LaunchDataText(kLauncherClass) + L",#AppUserMsg#:" + LaunchDataText(kLauncherMessage) +
            L",#CurLangName#:#English#}";
    return text;
  }

  bool Start(const std::wstring& launchData) {
    std::wstring commandLine = L"\"" + m_program + L"\" \"" + launchData + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &m_process);
  }

  // Pumps this thread's messages (the launcher window lives here) until the
  // program ends; its exit code, or -1 on time-out.
  long WaitForExit(DWORD limitMs) {
    const DWORD until = GetTickCount() + limitMs;
    for (;;) {
      const DWORD now = GetTickCount();
      if (static_cast<LONG>(until - now) <= 0) return -1;
      const DWORD wait =
          MsgWaitForMultipleObjects(1, &m_process.hProcess, FALSE, until - now, QS_ALLINPUT | QS_SENDMESSAGE);
      if (wait == WAIT_OBJECT_0) break;
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<long>(code);
  }

  std::wstring m_program;
  std::wstring m_tool;
  std::wstring m_folder;
  HWND m_launcher = nullptr;
  PROCESS_INFORMATION m_process = {};
};

TEST_F(LaunchedJoin, FastMp4RouteJoinsNotifiesAndExitsWith2) {
  const std::vector<std::wstring> clips = {MakeClip(L"one.mp4", 300), MakeClip(L"two clip.mp4", 600)};
  const std::wstring output = m_folder + L"joined.mp4";
  ASSERT_TRUE(Start(LaunchData(clips, output, L"http://video.example/watch?v=7")));
  EXPECT_EQ(WaitForExit(120000), 2);

  EXPECT_EQ(g_notices.count, 1);
  EXPECT_EQ(g_notices.tag, 1u);
  EXPECT_EQ(g_notices.bytes, std::string("http://video.example/watch%3fv%3d7") + '\0');

  ASSERT_GT(FileSize(output), 0);
  SVideoPropertyInfo info;
  ASSERT_TRUE(RunProbe(m_tool, output, info));
  EXPECT_EQ(info.format, L"mp4");
  EXPECT_EQ(info.width, 160);
  EXPECT_EQ(info.height, 120);
  EXPECT_NE(info.videoCodec.find(L"h264"), std::wstring::npos);
  EXPECT_NE(info.audioCodec.find(L"aac"), std::wstring::npos);
  EXPECT_NEAR(Seconds(info.duration), 4.0, 0.5);
  // The clips the launcher handed over are left as they were.
  EXPECT_GT(FileSize(clips[0]), 0);
  EXPECT_GT(FileSize(clips[1]), 0);
}

// "#" is the launch data's quote: names holding it travel as "\u0023" and
// the whole job still runs.
TEST_F(LaunchedJoin, ClipsNamedWithHashJoin) {
  const std::vector<std::wstring> clips = {MakeClip(L"Episode #3.mp4", 300), MakeClip(L"Episode #4.mp4", 600)};
  const std::wstring output = m_folder + L"Episodes #3-#4.mp4";
  const std::wstring launchData = LaunchData(clips, output, L"http://video.example/#3");
  ASSERT_EQ(launchData.find(L"#3"), std::wstring::npos) << "a name's # written as a quote";
  ASSERT_TRUE(Start(launchData));
  EXPECT_EQ(WaitForExit(120000), 2);
  EXPECT_EQ(g_notices.count, 1);
  EXPECT_EQ(g_notices.bytes, std::string("http://video.example/%233") + '\0');
  SVideoPropertyInfo info;
  ASSERT_TRUE(RunProbe(m_tool, output, info));
  EXPECT_NEAR(Seconds(info.duration), 4.0, 0.5);
}

// Fast-Join is ticked at start, and a stream copy cannot write AVI: the
// launched job converts (through the command interpreter's byte copy) and
// leaves no intermediate behind.
TEST_F(LaunchedJoin, AviOutputWithFastJoinTickedConvertsAndExitsWith2) {
  const std::vector<std::wstring> clips = {MakeClip(L"one.mp4", 300), MakeClip(L"two clip.mp4", 600)};
  const std::wstring output = m_folder + L"joined.avi";
  ASSERT_TRUE(Start(LaunchData(clips, output, L"http://video.example/watch?v=8")));
  EXPECT_EQ(WaitForExit(180000), 2);
  EXPECT_EQ(g_notices.count, 1);
  SVideoPropertyInfo info;
  ASSERT_TRUE(RunProbe(m_tool, output, info));
  EXPECT_EQ(info.format, L"avi");
  EXPECT_NEAR(Seconds(info.duration), 4.0, 0.5);
  WIN32_FIND_DATAW found = {};
  const HANDLE search = FindFirstFileW((m_folder + L"*.xbv").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "an intermediate was left behind";
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(LaunchedJoin, OneClipIsNoJobAndTheWindowStaysForTheUser) {
  const std::vector<std::wstring> clips = {MakeClip(L"only.mp4", 300)};
  const std::wstring output = m_folder + L"never.mp4";
  ASSERT_TRUE(Start(LaunchData(clips, output, L"http://x/")));
  // Join needs two files: nothing happens, the program keeps running.
  EXPECT_EQ(WaitForExit(4000), -1);
  EXPECT_FALSE(FileExists(output));
  EXPECT_EQ(g_notices.count, 0);
  // Closed by the user, it quits with 2 and makes no output.
  HWND window = nullptr;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"Tavrel Video", nullptr); w;
       w = FindWindowExW(nullptr, w, L"Tavrel Video", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == m_process.dwProcessId) window = w;
  }
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(20000), 2);
  EXPECT_FALSE(FileExists(output));
}

}  // namespace
}  // namespace corvane
