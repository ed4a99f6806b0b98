#pragma once
// Test harness for Quenby.dll: loads a 64-bit build of one flavour, calls
// CloseApp the way an NSIS installer does (a stack of GlobalAlloc'd items),
// and offers a stand-in main window that records what it is sent.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace corvane::test {

using Clock = std::chrono::steady_clock;

// A path in the build tree as Wine sees it (the Unix root is drive Z:).
std::wstring BuildTreePath(const std::string& relative);

// The installer's string size: NSIS_MAX_STRLEN of Debian's makensis.
constexpr int kInstallerStringSize = 1024;

// The installer's string stack for one text width, items made and freed
// with the global allocator as the installer does.
template <class Char>
class TInstallerStack {
 public:
  struct SItem {
    SItem* next;
    Char text[1];
  };
  TInstallerStack() : m_variables(25 * kInstallerStringSize, Char(0)) {}
  ~TInstallerStack();
  TInstallerStack(const TInstallerStack&) = delete;
  TInstallerStack& operator=(const TInstallerStack&) = delete;

  void Push(const std::basic_string<Char>& text);
  SItem* Top() const { return m_top; }
  SItem** TopPointer() { return &m_top; }
  Char* Variables() { return m_variables.data(); }
  std::size_t Depth() const;

 private:
  SItem* m_top = nullptr;
  std::vector<Char> m_variables;
};

// The x86-64 build of one flavour of Quenby.dll ("x64-ansi" for 8-bit text,
// "amd64-unicode" for UTF-16).
class CQuenbyPlugin {
 public:
  using CloseAppFn = void(__cdecl*)(HWND owner, int stringSize, void* variables, void* stackTop, void* extra);

  explicit CQuenbyPlugin(const std::string& flavour);
  ~CQuenbyPlugin();
  CQuenbyPlugin(const CQuenbyPlugin&) = delete;
  CQuenbyPlugin& operator=(const CQuenbyPlugin&) = delete;

  bool Loaded() const { return m_closeApp != nullptr; }
  // Calls CloseApp with the installer's arguments and returns when it does.
  template <class Char>
  void CloseApp(TInstallerStack<Char>& stack) {
    m_closeApp(/*owner=*/nullptr, kInstallerStringSize, stack.Variables(), stack.TopPointer(), /*extra=*/nullptr);
  }

 private:
  HMODULE m_module = nullptr;
  CloseAppFn m_closeApp = nullptr;
};

// The 8-bit and the wide flavour, for typed tests.
template <class Char>
struct TFlavour;
template <>
struct TFlavour<char> {
  static constexpr const char* kFolder = "x64-ansi";
};
template <>
struct TFlavour<wchar_t> {
  static constexpr const char* kFolder = "amd64-unicode";
};

// A top-level window of class "Tavrel Video" on its own thread. It answers
// the message named `answers` (none when empty) with the message's number,
// records every registered message and every WM_COMMAND it gets, and
// destroys itself on command 2 when asked to.
class CStandInWindow {
 public:
  CStandInWindow(const std::wstring& answers, bool closeOnCommand2);
  ~CStandInWindow();
  CStandInWindow(const CStandInWindow&) = delete;
  CStandInWindow& operator=(const CStandInWindow&) = delete;

  HWND Window() const { return m_window; }
  std::vector<UINT> RegisteredMessages() const;
  std::vector<WPARAM> Commands() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run(HANDLE ready);

  UINT m_answer = 0;
  bool m_closeOnCommand2;
  std::atomic<HWND> m_window{nullptr};
  DWORD m_threadId = 0;
  mutable std::mutex m_lock;
  std::vector<UINT> m_registered;
  std::vector<WPARAM> m_commands;
  std::thread m_thread;
};

// One running program started from a path, ended (if still running) when
// the object goes.
class CProcess {
 public:
  bool Start(const std::wstring& commandLine);
  ~CProcess();
  // The visible top-level window of the class "Tavrel Video" owned by this
  // process, waiting up to the limit.
  HWND WaitForMainWindow(std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
  // The exit code once the process has ended (waiting up to the limit), or
  // -1 when it is still running.
  long ExitCode(DWORD limitMs) const;

 private:
  PROCESS_INFORMATION m_pi = {};
};

// Watches a window from its own thread and notes when it stops existing
// (to the millisecond).
class CWindowWatch {
 public:
  explicit CWindowWatch(HWND window);
  ~CWindowWatch();
  // When the window went; Clock::time_point{} while it exists.
  Clock::time_point GoneAt() const { return m_goneAt.load(); }

 private:
  std::atomic<Clock::time_point> m_goneAt{Clock::time_point{}};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

// Seconds from a to b.
double SecondsBetween(Clock::time_point a, Clock::time_point b);

}  // namespace corvane::test
