// The main window driven from outside, as a user would: its controls and
// their states, files added through the real open dialog, moved and
// removed, the column layout kept across a restart, and a fast-route join
// that ends in the property dialog.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::wstring BuildTreePath(const char* relative) {
  std::wstring path = L"Z:" + Utf8ToWide(CORVANE_BUILD_DIR) + L"/" + Utf8ToWide(relative);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
  return text;
}

template <class Pred>
bool WaitFor(Pred pred, Clock::duration limit = 15s) {
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

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
  auto* find = reinterpret_cast<SFind*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != find->process || window == find->except || !IsWindowVisible(window)) return TRUE;
  if (ClassOf(window) != find->className) return TRUE;
  find->found = window;
  return FALSE;
}

// A visible top-level window of the process with the class, other than `except`.
HWND FindTopWindow(DWORD process, const wchar_t* className, HWND except = nullptr) {
  SFind find{process, except, className, nullptr};
  EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

BOOL CALLBACK MatchEdit(HWND window, LPARAM param) {
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

// Saves what the window shows as a 24-bit BMP (a test artefact).
bool SaveWindowBitmap(HWND window, const std::wstring& path) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB};
  const DWORD stride = ((width * 3 + 3) / 4) * 4;
  std::vector<char> pixels(stride * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixels.size()), 0, 0,
                           sizeof(BITMAPFILEHEADER) + sizeof info};
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) && WriteFile(out, &info, sizeof info, &written, nullptr) &&
            WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
  return ok;
}

class CMainWindowDriver {
 public:
  ~CMainWindowDriver() { Stop(); }
  bool Start(const std::wstring& arguments = L"") {
    std::wstring commandLine = L"\"" + BuildTreePath("app/Corvane.exe") + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) {
      return false;
    }
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
  int SelectedRow() const { return static_cast<int>(SendMessageW(Item(1011), LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

  // Presses Add..., types the path into the open dialog's file-name box and
  // presses Open.
  bool AddThroughOpenDialog(const std::wstring& path) {
    Command(1038);
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindTopWindow(m_pi.dwProcessId, L"#32770", m_window)) != nullptr; })) {
      return false;
    }
    HWND edit = nullptr;
    WaitFor([&] {
      EnumChildWindows(dialog, &MatchEdit, reinterpret_cast<LPARAM>(&edit));
      return edit != nullptr;
    });
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    const int before = RowCount();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return WaitFor([&] { return RowCount() == before + 1 && !IsWindow(dialog); });
  }

 private:
  PROCESS_INFORMATION m_pi = {};
  HWND m_window = nullptr;
};

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FileExists(BuildTreePath("app/Corvane.exe"))) GTEST_SKIP() << "Corvane.exe not built";
    m_folder = MakeUniqueTempName(GetTempFolder(), L"ui");
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_folder += L'\\';
  }
  void TearDown() override {
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }
  std::wstring MakeClip(const std::wstring& name) {
    const std::wstring tool = BuildTreePath("app/ffmpeg.exe");
    const std::wstring path = m_folder + name;
    if (!FileExists(tool)) return std::wstring();
    const auto keepReading = [](TStdStr<char>&, const TStdStr<char>&) { return true; };
    const auto done = [](const TStdStr<char>&) { return true; };
    RunTool(std::wstring(),
            L"\"" + tool + L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi -i sine=duration=2 "
            L"-c:v libx264 -pix_fmt yuv420p -c:a aac -shortest -y \"" + path + L"\"",
            keepReading, done);
    return FileExists(path) ? path : std::wstring();
  }
  std::wstring MakeFile(const std::wstring& name) {
    const std::wstring path = m_folder + name;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
  }
  std::wstring m_folder;
};

TEST_F(MainWindow, ControlsExistWithTheirClassesAndInitialStates) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  const struct {
    int id;
    const wchar_t* className;
    bool enabled;
  } controls[] = {
      {1011, L"SysListView32", true}, {1038, L"Button", true},     {1034, L"Button", false},
      {1031, L"Button", false},       {1032, L"Button", false},    {223, L"Button", false},
      {2011, L"Button", false},       {10351, L"Button", true},    {1035, L"Button", false},
      {1037, L"Button", false},       {148, L"msctls_progress32", true}, {1018, L"ComboBoxEx32", true},
      {2023, L"Button", true},        {1036, L"Button", true},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.id);
    HWND control = app.Item(c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), c.className);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled);
  }
  EXPECT_EQ(SendMessageW(app.Item(10351), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(app.Item(1035)), L"&Join...");
  const LONG listStyle = GetWindowLongW(app.Item(1011), GWL_STYLE);
  EXPECT_TRUE(listStyle & LVS_OWNERDATA);
  EXPECT_TRUE(listStyle & LVS_SINGLESEL);
  EXPECT_EQ(app.RowCount(), 0);
  EXPECT_EQ(app.ColumnCount(), 3);
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(MainWindow, AddMoveRemoveThroughTheButtons) {
  const std::wstring a = MakeFile(L"first.flv"), b = MakeFile(L"second & more.mp4"), c = MakeFile(L"third.avi");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  EXPECT_TRUE(app.Enabled(1034));   // Remove
  EXPECT_FALSE(app.Enabled(1035));  // Join needs two
  EXPECT_TRUE(app.Enabled(2011));   // Property
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  ASSERT_TRUE(app.AddThroughOpenDialog(c));
  EXPECT_TRUE(app.Enabled(1035));
  EXPECT_EQ(app.RowCount(), 3);
  EXPECT_EQ(app.RowText(0, 0), L"1");
  EXPECT_EQ(app.RowText(1, 1), L"second && more.mp4");
  EXPECT_EQ(app.RowText(2, 2), m_folder);
  // The artefact: the main window with three files listed.
  SetForegroundWindow(app.Window());
  std::this_thread::sleep_for(500ms);
  const std::wstring artefacts = BuildTreePath("test-artefacts");
  CreateDirectoryW(artefacts.c_str(), nullptr);
  EXPECT_TRUE(SaveWindowBitmap(app.Window(), artefacts + L"\\main-window-three-files.bmp"));

  app.SelectRow(2);
  app.Command(1031);  // Move Up
  ASSERT_TRUE(WaitFor([&] { return app.RowText(1, 1) == L"third.avi"; }));
  EXPECT_EQ(app.SelectedRow(), 1);
  app.Command(1032);  // Move Down
  ASSERT_TRUE(WaitFor([&] { return app.RowText(2, 1) == L"third.avi"; }));
  EXPECT_EQ(app.SelectedRow(), 2);
  app.Command(1032);  // already last: nothing moves
  app.SelectRow(0);
  app.Command(1034);  // Remove the first
  ASSERT_TRUE(WaitFor([&] { return app.RowCount() == 2; }));
  EXPECT_EQ(app.RowText(0, 1), L"second && more.mp4");
  EXPECT_EQ(app.RowText(1, 1), L"third.avi");

  // Adding the same file again keeps it once.
  app.Command(1038);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // cancelled: nothing changes
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(app.RowCount(), 2);
  EXPECT_EQ(app.Close(), 2);
}

// The visible dialog of the process titled `title`, other than the main window.
HWND WaitForDialog(CMainWindowDriver& app, const std::wstring& title) {
  HWND dialog = nullptr;
  WaitFor([&] {
    dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
    return dialog && TextOf(dialog) == title;
  });
  return dialog && TextOf(dialog) == title ? dialog : nullptr;
}

TEST_F(MainWindow, AboutAndPropertyDialogsOpenAndClose) {
  const std::wstring clip = MakeClip(L"shown.mp4");
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  // The program's icon (resource 128) that the window shows.
  HMODULE exe = LoadLibraryExW(BuildTreePath("app/Corvane.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(LoadImageW(exe, MAKEINTRESOURCEW(128), IMAGE_ICON, 16, 16, 0), nullptr);
  FreeLibrary(exe);

  app.Command(1036);
  HWND about = WaitForDialog(app, L"About");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(about, 100)).rfind(L"Corvane(tavrel) v", 0), 0u);
  EXPECT_FALSE(TextOf(GetDlgItem(about, 1005)).empty());
  EXPECT_NE(TextOf(GetDlgItem(about, 101)).find(L'@'), std::wstring::npos);
  PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));

  if (clip.empty()) GTEST_SKIP() << "no ffmpeg bridge to make a clip";
  ASSERT_TRUE(app.AddThroughOpenDialog(clip));
  app.Command(2011);  // Property... of the first (nothing selected)
  HWND property = WaitForDialog(app, L"Property");
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), clip);
  EXPECT_EQ(TextOf(GetDlgItem(property, 194)), L"160x120 pixels");
  EXPECT_EQ(TextOf(GetDlgItem(property, 205)), L"00:00:02.00");
  SendMessageW(property, WM_COMMAND, 239, 0);  // accepted and ignored
  EXPECT_TRUE(IsWindow(property));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  EXPECT_EQ(app.RowCount(), 1);  // looking changes nothing
  EXPECT_EQ(app.Close(), 2);
}

TEST_F(MainWindow, ColumnLayoutSurvivesARestart) {
  int widths[2] = {0, 0};
  {
    CMainWindowDriver app;
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(app.ColumnCount(), 3);
    widths[0] = app.ColumnWidth(1) + 37;
    widths[1] = app.ColumnWidth(2) + 11;
    app.SetColumnWidth(1, widths[0]);
    app.SetColumnWidth(2, widths[1]);
    ASSERT_EQ(app.ColumnWidth(1), widths[0]);
    EXPECT_EQ(app.Close(), 2);
  }
  CMainWindowDriver again;
  ASSERT_TRUE(again.Start());
  EXPECT_EQ(again.ColumnCount(), 3);
  EXPECT_EQ(again.ColumnWidth(1), widths[0]);
  EXPECT_EQ(again.ColumnWidth(2), widths[1]);
  EXPECT_EQ(again.Close(), 2);
}

TEST_F(MainWindow, FastJoinShowsThePropertyDialogWithTheResult) {
  const std::wstring a = MakeClip(L"a.mp4"), b = MakeClip(L"b.mp4");
  if (a.empty() || b.empty()) GTEST_SKIP() << "no ffmpeg bridge to make clips";
  const std::wstring output = m_folder + L"joined.mp4";
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.AddThroughOpenDialog(a));
  ASSERT_TRUE(app.AddThroughOpenDialog(b));
  app.Command(1035);  // Join: the save dialog asks for the output
  HWND save = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (save = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  HWND edit = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    EnumChildWindows(save, &MatchEdit, reinterpret_cast<LPARAM>(&edit));
    return edit != nullptr;
  }));
  EXPECT_EQ(TextOf(edit).rfind(L"a_all", 0), 0u);  // the proposed name
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
  PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));

  // The property dialog shows the joined file.
  HWND property = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        property = FindTopWindow(app.ProcessId(), L"#32770", app.Window());
        return property && property != save && IsWindow(property) && TextOf(property) == L"Property";
      },
      60s));
  EXPECT_EQ(TextOf(GetDlgItem(property, 224)), output);
  EXPECT_EQ(TextOf(GetDlgItem(property, 193)), L"mp4");
  EXPECT_EQ(TextOf(GetDlgItem(property, 194)), L"160x120 pixels");
  EXPECT_EQ(TextOf(GetDlgItem(property, 197)), L"25.00 fps");
  EXPECT_TRUE(FileExists(output));
  PostMessageW(property, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(property); }));
  // The finished job empties the list.
  EXPECT_EQ(app.RowCount(), 0);
  EXPECT_FALSE(app.Enabled(1035));
  EXPECT_EQ(app.Close(), 2);
}

}  // namespace
}  // namespace corvane
