// The main window's web panel in the real program, seen through its log
// lines (the program's log goes to the debugger, and this test is its
// debugger): the start page with language, kind and version, again on
// command 2007, and the built-in page after a failed navigation; the
// engine's document mode it sets for itself at start. Where the
// system has no page engine (as under Wine here) no page is ever drawn, so
// the panel's navigation traffic is what there is to check.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

// Runs the program under this test as its debugger and keeps every text it
// writes to the debugger.
class CDebuggedProgram {
 public:
  explicit CDebuggedProgram(const std::wstring& program) {
    m_loop = std::thread([this, program] { Run(program); });
    WaitFor([this] { return m_processId.load() != 0 || m_ended.load(); });
  }
  ~CDebuggedProgram() {
    if (m_processId && !m_ended) {
      if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, m_processId)) {
        TerminateProcess(process, 99);
        CloseHandle(process);
      }
    }
    m_loop.join();
  }
  DWORD ProcessId() const { return m_processId; }
  bool Ended() const { return m_ended; }
  DWORD ExitCode() const { return m_exitCode; }
  std::vector<std::wstring> Lines() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_lines;
  }
  size_t CountContaining(const std::wstring& part) {
    size_t count = 0;
    for (const std::wstring& line : Lines()) count += line.find(part) != std::wstring::npos;
    return count;
  }

 private:
  void Run(std::wstring program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &info)) {
      m_ended = true;
      return;
    }
    m_processId = info.dwProcessId;
    for (DEBUG_EVENT event = {}; WaitForDebugEvent(&event, INFINITE);) {
      DWORD status = DBG_CONTINUE;
      if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) Keep(info.hProcess, event.u.DebugString);
      if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
          event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
        status = DBG_EXCEPTION_NOT_HANDLED;
      }
      if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile) {
        CloseHandle(event.u.CreateProcessInfo.hFile);
      }
      if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
      const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
      if (exited) m_exitCode = event.u.ExitProcess.dwExitCode;
      ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
      if (exited) break;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    m_ended = true;
  }

  void Keep(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& text) {
    const size_t units = text.nDebugStringLength;
    std::wstring line;
    if (text.fUnicode) {
      line.resize(units);
      ReadProcessMemory(process, text.lpDebugStringData, line.data(), units * sizeof(wchar_t), nullptr);
    } else {
      std::string bytes(units, '\0');
      ReadProcessMemory(process, text.lpDebugStringData, bytes.data(), units, nullptr);
      line = Utf8ToWide(bytes);
    }
    std::lock_guard<std::mutex> hold(m_lock);
    m_lines.push_back(line);
  }

  std::thread m_loop;
  std::atomic<DWORD> m_processId{0};
  std::atomic<bool> m_ended{false};
  std::atomic<DWORD> m_exitCode{0};
  std::mutex m_lock;
  std::vector<std::wstring> m_lines;
};

TEST(WebPanel, StartPageOnStartAndCommand2007BuiltInPageAfterAFailure) {
  const std::wstring program = BuildTreePath("app/Corvane.exe");
  ASSERT_TRUE(FileExists(program)) << "Corvane.exe was not built";
  const wchar_t emulationKey[] =
      L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
  RegDeleteKeyValueW(HKEY_CURRENT_USER, emulationKey, L"Corvane.exe");
  CDebuggedProgram app(program);
  ASSERT_NE(app.ProcessId(), 0u);
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = FindTopWindow(app.ProcessId(), L"Tavrel Video")) != nullptr; }));
  // The page engine's document mode, written at start for the program's own
  // file name.
  DWORD mode = 0, size = sizeof mode;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, emulationKey, L"Corvane.exe", RRF_RT_REG_DWORD, nullptr, &mode, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(mode, 11001u);

  const std::wstring startPage = L"before navigate https://";
  const std::wstring query = L"/api_joiner.php?lang=";
  const auto startRequests = [&] {
    size_t count = 0;
    for (const std::wstring& line : app.Lines())
      count += line.find(startPage) != std::wstring::npos && line.find(query) != std::wstring::npos;
    return count;
  };
  ASSERT_TRUE(WaitFor([&] { return startRequests() >= 1; })) << "the panel never asked for its start page";
  for (const std::wstring& line : app.Lines()) {
    if (line.find(query) == std::wstring::npos || line.find(L"before navigate") == std::wstring::npos) continue;
    EXPECT_NE(line.find(startPage), std::wstring::npos) << line;
    EXPECT_NE(line.find(L"&type=joiner&ver=v2.2"), std::wstring::npos) << line;
  }
  // The server's name does not resolve here: the navigation fails, and
  // the panel turns to the page inside the program.
  EXPECT_TRUE(WaitFor([&] { return app.CountContaining(L"snap.htm") >= 1; }))
      << "no built-in page after a failed navigation";
  EXPECT_GE(app.CountContaining(L"Web panel: navigate error"), 1u);
  EXPECT_GE(app.CountContaining(L"before navigate res://"), 1u);

  const size_t before = startRequests();
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(2007, BN_CLICKED), 0);
  EXPECT_TRUE(WaitFor([&] { return startRequests() > before; })) << "command 2007 did not reload the panel";

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return app.Ended(); }));
  EXPECT_EQ(app.ExitCode(), 2u);
}

}  // namespace
}  // namespace corvane
