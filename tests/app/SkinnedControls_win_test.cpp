// The main window's custom controls seen from another process, as the real
// program runs them: the list buttons and the home link answer the caption
// messages with their texts, a space key on a list button works it, and the
// buttons show their command images (greyed while disabled).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "base/TextConvert.h"
#include "settings/TranslatableControl.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

std::wstring ProgramPath() {
  std::wstring path = L"Z:" + Utf8ToWide(CORVANE_BUILD_DIR) + L"/app/Corvane.exe";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

template <class Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds limit = 20000ms) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (pred()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return pred();
}

struct STopWindow {
  DWORD process;
  HWND except;
  const wchar_t* className;
  HWND found = nullptr;
};

HWND FindVisibleTopWindow(DWORD process, const wchar_t* className, HWND except = nullptr) {
  STopWindow find{process, except, className};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* f = reinterpret_cast<STopWindow*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner != f->process || window == f->except || !IsWindowVisible(window) || std::wstring(name) != f->className) {
          return TRUE;
        }
        f->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

class CRunningProgram {
 public:
  CRunningProgram() {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_process)) return;
    WaitUntil([&] { return (m_window = FindVisibleTopWindow(m_process.dwProcessId, L"Tavrel Video")) != nullptr; });
  }
  ~CRunningProgram() {
    if (!m_process.hProcess) return;
    if (m_window) PostMessageW(m_window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 99);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
  }
  HWND Window() const { return m_window; }
  HWND Item(int id) const { return GetDlgItem(m_window, id); }
  DWORD ProcessId() const { return m_process.dwProcessId; }

  // The control's caption through the private query, with a buffer in the
  // program's own memory.
  std::wstring Caption(int id) const {
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessId());
    if (!process) return L"<no access>";
    constexpr size_t kChars = 128;
    void* remote = VirtualAllocEx(process, nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    wchar_t text[kChars] = {};
    if (remote) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(Item(id), kMsgGetControlCaption, kChars, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 2000,
                          &ignored);
      ReadProcessMemory(process, remote, text, sizeof text, nullptr);
      VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    text[kChars - 1] = L'\0';
    return text;
  }

  LRESULT Send(int id, UINT message) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(Item(id), message, 0, 0, SMTO_BLOCK, 2000, &result);
    return static_cast<LRESULT>(result);
  }

 private:
  PROCESS_INFORMATION m_process = {};
  HWND m_window = nullptr;
};

// Pixels (0x00RRGGBB) the screen shows for a control.
std::vector<unsigned> ScreenPixels(HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (unsigned& p : pixels) p &= 0x00FFFFFF;
  return pixels;
}

size_t CountPixels(const std::vector<unsigned>& pixels, bool (*match)(unsigned)) {
  size_t count = 0;
  for (unsigned p : pixels) count += match(p);
  return count;
}

bool Saturated(unsigned p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const int high = std::max({r, g, b}), low = std::min({r, g, b});
  return high - low > 80;
}

class SkinnedControls : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(ProgramPath().c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "Corvane.exe not built";
  }
};

TEST_F(SkinnedControls, ListButtonsAndTheHomeLinkAnswerTheCaptionMessages) {
  CRunningProgram app;
  ASSERT_NE(app.Window(), nullptr);
  const struct {
    int id;
    const wchar_t* caption;
  } controls[] = {{1031, L"Move Up"}, {1032, L"Move Down"}, {223, L"Play..."},       {1038, L"Add..."},
                  {1034, L"Remove"},  {2011, L"Property..."}, {1039, L"www.tavrel.example"}};
  for (const auto& c : controls) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(app.Send(c.id, kMsgIsTranslatableControl), 1);
    EXPECT_EQ(app.Caption(c.id), c.caption);
  }
  EXPECT_EQ(app.Send(1035, kMsgIsTranslatableControl), 0);  // "&Join..." stays a plain button
}

TEST_F(SkinnedControls, SpaceOnTheAddButtonOpensTheOpenDialog) {
  CRunningProgram app;
  ASSERT_NE(app.Window(), nullptr);
  PostMessageW(app.Item(1038), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageW(app.Item(1038), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindVisibleTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

TEST_F(SkinnedControls, AboutDialogStartsOnOkWithItsLinksReachableByTab) {
  CRunningProgram app;
  ASSERT_NE(app.Window(), nullptr);
  PostMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(1036, BN_CLICKED), 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = FindVisibleTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(about, nullptr), &gui));
  EXPECT_EQ(gui.hwndFocus, GetDlgItem(about, IDCANCEL));  // Enter closes the dialog
  for (int id : {1005, 101}) {
    SCOPED_TRACE(id);
    HWND link = GetDlgItem(about, id);
    EXPECT_TRUE(GetWindowLongW(link, GWL_STYLE) & WS_TABSTOP);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(link, kMsgIsTranslatableControl, 0, 0, SMTO_BLOCK, 2000, &answer);
    EXPECT_EQ(answer, 1u);
  }
  PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

TEST_F(SkinnedControls, ButtonsShowTheirImagesInColourAndGreyedWhenDisabled) {
  CRunningProgram app;
  ASSERT_NE(app.Window(), nullptr);
  SetForegroundWindow(app.Window());
  std::this_thread::sleep_for(500ms);
  // With an empty list Add... is enabled and Remove disabled.
  ASSERT_TRUE(IsWindowEnabled(app.Item(1038)));
  ASSERT_FALSE(IsWindowEnabled(app.Item(1034)));
  EXPECT_GE(CountPixels(ScreenPixels(app.Item(1038)), Saturated), 40u) << "the green plus";
  EXPECT_EQ(CountPixels(ScreenPixels(app.Item(1034)), Saturated), 0u) << "the red bar, greyed";
}

}  // namespace
}  // namespace corvane
