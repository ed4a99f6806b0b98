// Corvane.exe as other programs see it: started as a separate process, found
// by its window class and identification message, sent text, closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/WindowFinder.h"
#include "tests/app/MainWindowDriver.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kClassName[] = L"Tavrel Video";

UINT IdentificationMessage() { return RegisterWindowMessageW(L"UWM_JoinDownload_IsMe"); }

struct SWindowOfProcess {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<SWindowOfProcess*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || std::wstring(name) != kClassName) return TRUE;
  search->found = window;
  return FALSE;
}

// One running copy of Corvane.exe, ended when the object goes.
class CCorvaneProcess {
 public:
  bool Start(const std::wstring& arguments = L"") {
    std::wstring commandLine = L"\"" + BuildTreePath("app/Corvane.exe") + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    m_started = Clock::now();
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
  }
  ~CCorvaneProcess() {
    if (!m_pi.hProcess) return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
  }
  // The visible main window of this process, waiting up to the limit.
  HWND WaitForWindow(Clock::duration limit = 30s) {
    const auto until = Clock::now() + limit;
    while (Clock::now() < until) {
      SWindowOfProcess search{m_pi.dwProcessId, nullptr};
      EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
      if (search.found && IsWindowVisible(search.found)) {
        m_windowAfter = Clock::now() - m_started;
        return search.found;
      }
      std::this_thread::sleep_for(10ms);
    }
    return nullptr;
  }
  // The exit code once the process has ended (waiting up to the limit), or
  // -1 when it is still running.
  long ExitCode(DWORD limitMs = 10000) {
    if (WaitForSingleObject(m_pi.hProcess, limitMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
  }
  DWORD ProcessId() const { return m_pi.dwProcessId; }
  double SecondsToWindow() const { return std::chrono::duration<double>(m_windowAfter).count(); }

 private:
  PROCESS_INFORMATION m_pi = {};
  Clock::time_point m_started;
  Clock::duration m_windowAfter{};
};

LRESULT SendText(HWND window, ULONG_PTR tag, const void* bytes, DWORD count) {
  COPYDATASTRUCT data = {tag, count, const_cast<void*>(bytes)};
  DWORD_PTR reply = 0;
  SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, 5000, &reply);
  return static_cast<LRESULT>(reply);
}

TEST(CorvaneWindow, IsTheRealDialogAndIsFoundByClassAndMessage) {
  CCorvaneProcess corvane;
  ASSERT_TRUE(corvane.Start());
  HWND window = corvane.WaitForWindow();
  ASSERT_NE(window, nullptr);
  std::printf("Corvane.exe: visible window %.3f s after start\n", corvane.SecondsToWindow());
  ::testing::Test::RecordProperty("SecondsToWindow", std::to_string(corvane.SecondsToWindow()));

  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  EXPECT_STREQ(title, L"Tavrel Corvane");
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_GT(client.right, 419);  // dialog units are larger than pixels here
  EXPECT_GT(client.bottom, 332);

  const UINT message = IdentificationMessage();
  HWND found = FindInstanceWindow(std::wstring(kClassName), message);
  ASSERT_EQ(found, window);
  DWORD_PTR reply = 0;
  ASSERT_TRUE(SendMessageTimeoutW(window, message, 0, 0, SMTO_BLOCK, 2000, &reply));
  EXPECT_EQ(reply, message);
  // Another registered message is not answered with its number.
  const UINT other = RegisterWindowMessageW(L"UWM_Corvane_SomethingElse");
  EXPECT_EQ(FindInstanceWindow(std::wstring(kClassName), other), nullptr);

  PostMessageW(window, WM_COMMAND, 2, 0);
  EXPECT_EQ(corvane.ExitCode(), 2);
}

// Reads a name-or-ordinal field of a dialog template.
std::wstring ReadNameOrOrdinal(const WORD*& p) {
  if (*p == 0x0000) return ++p, L"";
  if (*p == 0xFFFF) {
    p += 2;
    return L"#ordinal";
  }
  std::wstring text(reinterpret_cast<const wchar_t*>(p));
  p += text.size() + 1;
  return text;
}

TEST(CorvaneWindow, DialogResource129) {
  HMODULE module = LoadLibraryExW(BuildTreePath("app/Corvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(129), MAKEINTRESOURCEW(5) /*RT_DIALOG*/);
  ASSERT_NE(found, nullptr);
  const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p[0], 1);       // extended template
  ASSERT_EQ(p[1], 0xFFFF);
  DWORD style = 0;
  memcpy(&style, p + 6, sizeof style);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & DS_SETFONT);
  const auto* geometry = reinterpret_cast<const short*>(p + 9);
  EXPECT_EQ(geometry[2], 419);
  EXPECT_EQ(geometry[3], 332);
  p += 13;
  EXPECT_EQ(ReadNameOrOrdinal(p), L"");  // no menu
  EXPECT_EQ(ReadNameOrOrdinal(p), L"Tavrel Video");
  EXPECT_EQ(ReadNameOrOrdinal(p), L"Tavrel Corvane");
  EXPECT_EQ(p[0], 8);  // point size
  p += 3;              // size, weight, italic + character set
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(p), L"Tahoma");
  FreeLibrary(module);
}

TEST(CorvaneWindow, ForwardedTextWithTag100) {
  CCorvaneProcess corvane;
  ASSERT_TRUE(corvane.Start());
  HWND window = corvane.WaitForWindow();
  ASSERT_NE(window, nullptr);

  const char text[] = "C:\\some file.flv";
  EXPECT_EQ(SendText(window, 100, text, sizeof text), TRUE);
  // Text without its terminating zero is still taken only as far as sent.
  EXPECT_EQ(SendText(window, 100, text, 4), TRUE);
  const char empty[] = "";
  EXPECT_EQ(SendText(window, 100, empty, 1), TRUE);  // handled, nothing passed on
  EXPECT_EQ(SendText(window, 100, text, 0), FALSE);  // no data: left to the dialog
  EXPECT_EQ(SendText(window, 7, text, sizeof text), FALSE);  // other tags too
  EXPECT_TRUE(IsWindow(window));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(corvane.ExitCode(), 2);
}

TEST(CorvaneWindow, TwoCopiesEachAnswerForTheirOwnWindow) {
  CCorvaneProcess first, second;
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());
  HWND firstWindow = first.WaitForWindow();
  HWND secondWindow = second.WaitForWindow();
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_NE(secondWindow, nullptr);
  EXPECT_NE(firstWindow, secondWindow);
  const UINT message = IdentificationMessage();
  for (HWND window : {firstWindow, secondWindow}) {
    DWORD_PTR reply = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, message, 0, 0, SMTO_BLOCK, 2000, &reply));
    EXPECT_EQ(reply, message);
  }
  HWND found = FindInstanceWindow(std::wstring(kClassName), message);
  EXPECT_TRUE(found == firstWindow || found == secondWindow);

  PostMessageW(firstWindow, WM_COMMAND, 2, 0);
  EXPECT_EQ(first.ExitCode(), 2);
  // The other copy is untouched and still answers.
  DWORD_PTR reply = 0;
  ASSERT_TRUE(SendMessageTimeoutW(secondWindow, message, 0, 0, SMTO_BLOCK, 2000, &reply));
  EXPECT_EQ(reply, message);
  EXPECT_EQ(FindInstanceWindow(std::wstring(kClassName), message), secondWindow);
  PostMessageW(secondWindow, WM_COMMAND, 2, 0);
  EXPECT_EQ(second.ExitCode(), 2);
}

TEST(CorvaneWindow, LaunchDataWithOneClipOrBrokenDataStillOpensTheWindow) {
  for (const wchar_t* launchData : {L"{#VideoClipsPath#:[#C:\\\\nothing\\\\a.flv#]}", L"#not json", L"a b c"}) {
    CCorvaneProcess corvane;
    ASSERT_TRUE(corvane.Start(launchData));
    HWND window = corvane.WaitForWindow();
    ASSERT_NE(window, nullptr) << "launch data " << std::string(launchData, launchData + wcslen(launchData));
    // A round trip through the window's message loop: the launch data has
    // been read by now, and the window is still there to answer.
    DWORD_PTR reply = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, IdentificationMessage(), 0, 0, SMTO_BLOCK, 2000, &reply));
    EXPECT_EQ(reply, IdentificationMessage());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(corvane.ExitCode(0), -1);  // still running
    PostMessageW(window, WM_COMMAND, 2, 0);
    EXPECT_EQ(corvane.ExitCode(), 2);
  }
}

}  // namespace
