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
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

// The control's caption through the private query, with a buffer in the
// program's own memory.
std::wstring Caption(const CMainWindowDriver& app, int id) {
  constexpr size_t kChars = 128;
  CRemoteBuffer buffer(app.ProcessId(), kChars * sizeof(wchar_t));
  if (!buffer.Remote()) return L"<no access>";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(app.Item(id), kMsgGetControlCaption, kChars, reinterpret_cast<LPARAM>(buffer.Remote()),
                      SMTO_BLOCK, 2000, &ignored);
  wchar_t text[kChars] = {};
  buffer.Read(text, sizeof text);
  text[kChars - 1] = L'\0';
  return text;
}

LRESULT Send(HWND control, UINT message) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, message, 0, 0, SMTO_BLOCK, 2000, &result);
  return static_cast<LRESULT>(result);
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
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe not built";
  }
};

TEST_F(SkinnedControls, ListButtonsAndTheHomeLinkAnswerTheCaptionMessages) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  const struct {
    int id;
    const wchar_t* caption;
  } controls[] = {{1031, L"Move Up"}, {1032, L"Move Down"}, {223, L"Play..."},       {1038, L"Add..."},
                  {1034, L"Remove"},  {2011, L"Property..."}, {1039, L"www.tavrel.example"}};
  for (const auto& c : controls) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Send(app.Item(c.id), kMsgIsTranslatableControl), 1);
    EXPECT_EQ(Caption(app, c.id), c.caption);
  }
  EXPECT_EQ(Send(app.Item(1035), kMsgIsTranslatableControl), 0);  // "&Join..." stays a plain button
}

TEST_F(SkinnedControls, SpaceOnTheAddButtonOpensTheOpenDialog) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  PostMessageW(app.Item(1038), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageW(app.Item(1038), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

TEST_F(SkinnedControls, AboutDialogStartsOnOkWithItsLinksReachableByTab) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
  PostMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(1036, BN_CLICKED), 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (about = FindTopWindow(app.ProcessId(), L"#32770", app.Window())) != nullptr; }));
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
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
}

TEST_F(SkinnedControls, ButtonsShowTheirImagesInColourAndGreyedWhenDisabled) {
  CMainWindowDriver app;
  ASSERT_TRUE(app.Start());
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
