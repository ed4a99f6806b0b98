// The real Corvane.exe with an input that never answers: a named pipe that
// nobody writes, which under Wine blocks whoever opens it, as a file on a
// share that stopped answering does on Windows. The window keeps answering,
// and closing ends what waits for the file at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "base/Handle.h"
#include "engine/TempFiles.h"
#include "tests/LaunchDataText.h"
#include "tests/UnixTempName_win.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

class StalledInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe was not built";
    // Under the Linux /tmp: the pipe is made there by Linux's mkfifo.
    m_unixFolder = test::UnixTempName(L"corvane-stalled-");
    m_folder = test::UnixToWine(m_unixFolder) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_clip = MakeTestClip(m_folder + L"first.mp4");
    ASSERT_FALSE(m_clip.empty()) << "the build put no ffmpeg bridge beside Corvane.exe";
    const std::wstring name = L"second on a dead share.mp4";
    m_pipe = m_folder + name;
    ASSERT_TRUE(StartPython(L"import os, sys; os.mkfifo(sys.argv[1])", m_unixFolder + L"/" + name));
    ASSERT_TRUE(WaitFor([&] { return IsListed(m_pipe); }, 10s));
  }
  void TearDown() override {
    m_app.Stop();
    // Through Wine, deleting the pipe opens it, and that open would wait
    // for a writer for ever.
    if (!m_unixFolder.empty() && StartPython(L"import shutil, sys; shutil.rmtree(sys.argv[1])", m_unixFolder)) {
      WaitFor([&] { return !IsListed(m_folder + L"."); }, 10s);
    }
  }

  // Starts Linux's python3 with a one-line program and one argument. Wine
  // starts Linux programs directly, but its handle does not follow them:
  // callers wait for what the program does.
  static bool StartPython(const std::wstring& program, const std::wstring& argument) {
    std::wstring command = L"/usr/bin/python3 -c \"" + program + L"\" \"" + argument + L"\"";
    const std::wstring path = L"Z:\\usr\\bin\\python3";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      return false;
    }
    const CHandle thread(pi.hThread);
    const CHandle process(pi.hProcess);
    return true;
  }

  std::wstring LaunchData(const std::vector<std::wstring>& clips, const std::wstring& output) {
    std::wstring text = L"{#VideoClipsPath#:[";
    for (size_t i = 0; i < clips.size(); ++i) text += (i ? L"," : L"") + LaunchDataText(clips[i]);
    return text + L"],#OutputPath#:" + LaunchDataText(output) + L",#CurLangName#:#English#}";
  }

  // The window answers `times` messages, each within `limitMs`, 300 ms apart.
  bool AnswersEveryTime(HWND window, int times, UINT limitMs) {
    for (int i = 0; i < times; ++i) {
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &result)) {
        ADD_FAILURE() << "no answer within " << limitMs << " ms, message " << i + 1;
        return false;
      }
      Sleep(300);
    }
    return true;
  }

  // Wine answers no attributes for a pipe (ERROR_INVALID_PARAMETER), but lists it.
  static bool IsListed(const std::wstring& path) {
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
  }

  // Files in the folder other than the clip and the pipe.
  std::vector<std::wstring> LeftBehind() {
    std::vector<std::wstring> left;
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW((m_folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return left;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L".." && m_folder + name != m_clip && m_folder + name != m_pipe) left.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return left;
  }

  std::wstring m_unixFolder, m_folder, m_clip, m_pipe;
  CMainWindowDriver m_app;
};

// An AVI job (always converted, every input probed on its own) whose second
// input never answers: once the first input is converted the job waits for
// the second's probe, and the window answers all the while; Close ends the
// job and the program at once and leaves nothing of the job.
TEST_F(StalledInput, LaunchedJobWaitingForAnInputAnswersAndClosesAtOnce) {
  const std::wstring output = m_folder + L"joined.avi";
  ASSERT_TRUE(m_app.Start(L"\"" + LaunchData({m_clip, m_pipe}, output) + L"\""));
  // The first input's intermediate appears and the job goes on to the pipe.
  ASSERT_TRUE(WaitFor([&] { return !LeftBehind().empty(); }, 30s)) << "the job did not start";
  Sleep(3000);
  EXPECT_TRUE(AnswersEveryTime(m_app.Window(), 10, 500));

  const auto closing = Clock::now();
  PostMessageW(m_app.Window(), WM_CLOSE, 0, 0);
  const long code = m_app.WaitForExit(5000);
  const double seconds = std::chrono::duration<double>(Clock::now() - closing).count();
  EXPECT_EQ(code, 2);
  EXPECT_LT(seconds, 2.0) << "Close took " << seconds << " s";
  EXPECT_TRUE(LeftBehind().empty()) << "left behind: " << WideToUtf8(LeftBehind().front());
  EXPECT_TRUE(FileExists(m_clip));  // the launcher's files stay
  EXPECT_TRUE(IsListed(m_pipe));
}

// Play... and Property... of a file that never answers. Play looks at the
// file off the window's thread: the window answers. The property dialog
// opens at once, busy (nothing to play yet), the window behind it answers,
// and Close ends the dialog and its probe at once; the list is as it was.
TEST_F(StalledInput, PlayAndPropertyOfAFileThatDoesNotAnswer) {
  // One file is no job: the window only lists it.
  ASSERT_TRUE(m_app.Start(L"\"" + LaunchData({m_pipe}, m_folder + L"never.avi") + L"\""));
  ASSERT_EQ(m_app.RowCount(), 1);
  m_app.Command(223);  // Play...
  EXPECT_TRUE(AnswersEveryTime(m_app.Window(), 5, 500));
  m_app.Command(2011);  // Property...
  HWND property = WaitForDialog(m_app, L"Property");
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), m_pipe);
  EXPECT_TRUE(TextOf(GetDlgItem(property, 194)).empty());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(property, 223))) << "Play... before the file was read";
  EXPECT_TRUE(AnswersEveryTime(property, 5, 500));
  EXPECT_TRUE(AnswersEveryTime(m_app.Window(), 2, 500));

  const auto closing = Clock::now();
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }, 5s));
  const double seconds = std::chrono::duration<double>(Clock::now() - closing).count();
  EXPECT_LT(seconds, 1.0) << "the dialog took " << seconds << " s to close";
  EXPECT_TRUE(AnswersEveryTime(m_app.Window(), 2, 500));
  EXPECT_EQ(m_app.RowCount(), 1);
  EXPECT_EQ(m_app.Close(), 2);
}

}  // namespace
}  // namespace corvane
