#pragma once
// Drives the real Corvane.exe from a test process, as a user would: starts
// it, finds its windows, reads and sets its controls across the process
// boundary, and saves screenshots. Shared by the Wine tests of the program.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/StdStr.h"
#include "base/TextConvert.h"
#include "engine/ToolRunner.h"
#include "settings/TranslatableControl.h"
#include "tests/BuildTree_win.h"
#include "tests/WindowScreenshot_win.h"

namespace corvane {
namespace testing_driver {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
  return text;
}

template <class Pred>
inline bool WaitFor(Pred pred, Clock::duration limit = 15s) {
  const auto until = Clock::now() + limit;
  while (Clock::now() < until) {
    if (pred()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return pred();
}

struct SFind {
  DWORD process;
  HWND except;
  const wchar_t* className;
  HWND found;
};

inline BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<SFind*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != find->process || window == find->except || !IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) != find->className) return TRUE;
  find->found = window;
  return FALSE;
}

// A visible top-level window of the process with the class, other than `except`.
inline HWND FindTopWindow(DWORD process, const wchar_t* className, HWND except = nullptr) {
  SFind find{process, except, className, nullptr};
  EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

inline BOOL CALLBACK MatchEdit(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<HWND*>(param);
  if (ClassOf(window) == L"Edit" && IsWindowVisible(window) && IsWindowEnabled(window)) {
    *found = window;
    return FALSE;
  }
  return TRUE;
}

// Memory in the other process for the list view's messages that take pointers.
class CRemoteBuffer {
 public:
  CRemoteBuffer(DWORD processId, size_t size) : m_size(size) {
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process) m_remote = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~CRemoteBuffer() {
    if (m_remote) VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process) CloseHandle(m_process);
  }
  void* Remote() const { return m_remote; }
  bool Write(const void* data, size_t size, size_t offset = 0) {
    return WriteProcessMemory(m_process, static_cast<char*>(m_remote) + offset, data, size, nullptr);
  }
  bool Read(void* data, size_t size, size_t offset = 0) {
    return ReadProcessMemory(m_process, static_cast<char*>(m_remote) + offset, data, size, nullptr);
  }

 private:
  HANDLE m_process = nullptr;
  void* m_remote = nullptr;
  size_t m_size;
};

using test::SaveWindowBitmap;
using test::ScreenPixels;

class CMainWindowDriver {
 public:
  ~CMainWindowDriver() { Stop(); }
  bool Start(const std::wstring& arguments = L"") { return StartProgram(BuildTreePath("app/Corvane.exe"), arguments); }
  // A copy of the program elsewhere (a folder of its own, with or without
  // the programs it starts beside it). Without `waitForWindow` only the
  // process is started (a window that hides itself at once is not waited for).
  bool StartProgram(const std::wstring& program, const std::wstring& arguments = L"", bool waitForWindow = true) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) {
      return false;
    }
    if (!waitForWindow) return true;
    WaitFor([&] { return (m_window = FindTopWindow(m_pi.dwProcessId, L"Tavrel Video")) != nullptr; }, 30s);
    return m_window != nullptr;
  }
  void Stop() {
    if (!m_pi.hProcess) return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = {};
  }
  long Close() {
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_pi.hProcess, 20000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
  }
  // The exit code once the program has ended by itself; -1 when it is still
  // running after `limitMs`.
  long WaitForExit(DWORD limitMs) {
    if (WaitForSingleObject(m_pi.hProcess, limitMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<long>(code);
  }
  HWND Window() const { return m_window; }
  HWND Item(int id) const { return GetDlgItem(m_window, id); }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  DWORD ProcessId() const { return m_pi.dwProcessId; }
  void Command(int id) { PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  int RowCount() const { return static_cast<int>(SendMessageW(Item(1011), LVM_GETITEMCOUNT, 0, 0)); }
  int ColumnCount() const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(Item(1011), LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  }
  std::wstring RowText(int row, int column) {
    CRemoteBuffer buffer(m_pi.dwProcessId, sizeof(LVITEMW) + 512 * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = 512;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.Remote()) + sizeof(LVITEMW));
    buffer.Write(&item, sizeof item);
    SendMessageW(Item(1011), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.Remote()));
    wchar_t text[512] = {};
    buffer.Read(text, sizeof text, sizeof(LVITEMW));
    return text;
  }
  void SelectRow(int row) {
    CRemoteBuffer buffer(m_pi.dwProcessId, sizeof(LVITEMW));
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof item);
    SendMessageW(Item(1011), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(buffer.Remote()));
  }
  HWND Header() const { return reinterpret_cast<HWND>(SendMessageW(Item(1011), LVM_GETHEADER, 0, 0)); }
  // Width of header item `index` (-1 when it cannot be read).
  int ColumnWidth(int index) {
    CRemoteBuffer buffer(m_pi.dwProcessId, sizeof(HDITEMW));
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    buffer.Write(&item, sizeof item);
    if (!SendMessageW(Header(), HDM_GETITEMW, index, reinterpret_cast<LPARAM>(buffer.Remote()))) return -1;
    buffer.Read(&item, sizeof item);
    return item.cxy;
  }
  // What dragging a column's edge does.
  void SetColumnWidth(int index, int width) {
    SendMessageW(Item(1011), LVM_SETCOLUMNWIDTH, index, width);
  }
  // Title of header item `index`.
  std::wstring ColumnTitle(int index) {
    CRemoteBuffer buffer(m_pi.dwProcessId, sizeof(HDITEMW) + 256 * sizeof(wchar_t));
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.cchTextMax = 256;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.Remote()) + sizeof(HDITEMW));
    buffer.Write(&item, sizeof item);
    if (!SendMessageW(Header(), HDM_GETITEMW, index, reinterpret_cast<LPARAM>(buffer.Remote()))) return L"";
    wchar_t text[256] = {};
    buffer.Read(text, sizeof text - sizeof(wchar_t), sizeof(HDITEMW));
    return text;
  }
  // The caption an image button or link keeps for itself (empty for other
  // controls), asked for through the program's private caption message.
  std::wstring OwnCaption(HWND control) {
    if (SendMessageW(control, kMsgIsTranslatableControl, 0, 0) != 1) return L"";
    CRemoteBuffer buffer(m_pi.dwProcessId, 256 * sizeof(wchar_t));
    wchar_t text[256] = {};
    buffer.Write(text, sizeof text);
    SendMessageW(control, kMsgGetControlCaption, 255, reinterpret_cast<LPARAM>(buffer.Remote()));
    buffer.Read(text, sizeof text - sizeof(wchar_t));
    return text;
  }
  int SelectedRow() const { return static_cast<int>(SendMessageW(Item(1011), LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

  // Presses Add..., types the path into the open dialog's file-name box and
  // presses Open.
  bool AddThroughOpenDialog(const std::wstring& path) {
    Command(1038);
    HWND dialog = nullptr, nameBox = nullptr;
    if (!WaitForFileDialog(dialog, nameBox)) return false;
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    const int before = RowCount();
    PressDialogOk(dialog);
    return WaitFor([&] { return RowCount() == before + 1 && !IsWindow(dialog); });
  }

  // The open or save dialog the program has just put up, and its file-name box.
  bool WaitForFileDialog(HWND& dialog, HWND& nameBox) {
    dialog = nameBox = nullptr;
    if (!WaitFor([&] { return (dialog = FindTopWindow(m_pi.dwProcessId, L"#32770", m_window)) != nullptr; })) {
      return false;
    }
    return WaitFor([&] {
      EnumChildWindows(dialog, &MatchEdit, reinterpret_cast<LPARAM>(&nameBox));
      return nameBox != nullptr;
    });
  }
  // Presses a dialog's OK button (Open, Save) the way a click does.
  static void PressDialogOk(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }

 private:
  PROCESS_INFORMATION m_pi = {};
  HWND m_window = nullptr;
};

// A real 160x120 clip of `seconds` (two by default; with a tone when
// `withAudio`) written to `path` by the tool bridge beside the program;
// `path` on success, empty where the build has no bridge or the tool failed.
inline std::wstring MakeTestClip(const std::wstring& path, bool withAudio = true, int seconds = 2) {
  const std::wstring tool = BuildTreePath("app/ffmpeg.exe");
  if (!FileExists(tool)) return std::wstring();
  const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
  const auto done = [](const TStdStr<char>&) { return true; };
  const std::wstring length = std::to_wstring(seconds);
  const std::wstring audioInput = withAudio ? L" -f lavfi -i sine=duration=" + length : L"";
  const std::wstring audioOutput = withAudio ? L" -c:a aac -shortest" : L"";
  RunTool(std::wstring(),
          L"\"" + tool + L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=" + length + audioInput +
              L" -c:v libx264 -pix_fmt yuv420p" + audioOutput + L" -y \"" + path + L"\"",
          keepReading, done);
  return FileExists(path) ? path : std::wstring();
}

inline HWND WaitForDialog(CMainWindowDriver& app, const std::wstring& title) {
  HWND dialog = nullptr;
  WaitFor([&] {
    dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
    return dialog && TextOf(dialog) == title;
  });
  return dialog && TextOf(dialog) == title ? dialog : nullptr;
}

// The Property dialog once it has read its file: it opens at once and reads
// the file meanwhile, with Play... disabled until then.
inline HWND WaitForFilledPropertyDialog(CMainWindowDriver& app) {
  HWND dialog = WaitForDialog(app, L"Property");
  if (!dialog || !WaitFor([&] { return IsWindowEnabled(GetDlgItem(dialog, 223)) != FALSE; })) return nullptr;
  return dialog;
}

}  // namespace testing_driver
using namespace testing_driver;
}  // namespace corvane
