// A real popup window with a frame wearing the flat menu frame, a drop
// shadow behind it: what the screen shows of the border, the left strip, the
// joint and the background, and the shadow's opacity with the system's
// drop-shadow setting on and off.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PumpMessages_win.h"
#include "WindowScreenshot_win.h"
#include "base/WindowClass.h"
#include "skin/FlatMenuWindow.h"
#include "skin/ShadowWindow.h"

namespace corvane {
namespace {

// Screen colours (0x00RRGGBB) and the same as the frame is given them.
constexpr unsigned kBorderRgb = 0xC00000, kBackgroundRgb = 0xF0E0A0, kStripRgb = 0x008040, kClientRgb = 0xFFFFFF;
COLORREF FromRgb(unsigned rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }
constexpr int kJointWidth = 40;

// The system's drop-shadow setting for one scope, then back as it was.
class CDropShadowSetting {
 public:
  explicit CDropShadowSetting(bool on) {
    SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &m_before, 0);
    Set(on);
  }
  ~CDropShadowSetting() { Set(m_before != FALSE); }
  CDropShadowSetting(const CDropShadowSetting&) = delete;
  CDropShadowSetting& operator=(const CDropShadowSetting&) = delete;
  void Set(bool on) {
    SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(on)), 0);
  }

 private:
  BOOL m_before = FALSE;
};

// A popup with a dialog frame (as wide as the strip needs) and a white client.
class CFramedPopup {
 public:
  CFramedPopup() {
    static const TGdiObject<HBRUSH> white(CreateSolidBrush(FromRgb(kClientRgb)));
    RegisterWindowClassOnce(L"CorvaneFlatMenuTest", DefWindowProcW, white.Get());
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, L"CorvaneFlatMenuTest", L"", WS_POPUP | WS_DLGFRAME, 120, 100, 160,
                               110, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~CFramedPopup() {
    if (m_window) DestroyWindow(m_window);
  }
  CFramedPopup(const CFramedPopup&) = delete;
  CFramedPopup& operator=(const CFramedPopup&) = delete;
  HWND Window() const { return m_window; }

 private:
  HWND m_window = nullptr;
};

struct SShadowAlpha {
  bool layered = false;
  BYTE alpha = 0;
};

SShadowAlpha LayeredAlphaOf(HWND window) {
  SShadowAlpha result;
  COLORREF key = 0;
  DWORD flags = 0;
  if (GetLayeredWindowAttributes(window, &key, &result.alpha, &flags)) result.layered = (flags & LWA_ALPHA) != 0;
  return result;
}

TEST(FlatMenuWindow, FrameOnScreenAndShadowBehindIt) {
  const CDropShadowSetting shadows(/*on=*/true);
  const CFramedPopup popup;
  const HWND window = popup.Window();
  ASSERT_NE(window, nullptr);
  CFlatMenuWindow frame(FromRgb(kBorderRgb), FromRgb(kBackgroundRgb), FromRgb(kStripRgb), kJointWidth);
  ASSERT_TRUE(frame.Attach(window));
  // Not owned by the popup: an owned window always stays above its owner.
  CShadowWindow shadow;
  ASSERT_TRUE(shadow.Create(/*owner=*/nullptr));
  RECT r = {};
  GetWindowRect(window, &r);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  shadow.Place({r.right, r.top + 4, r.right + 4, r.bottom + 4}, window, /*visible=*/true);

  const int width = r.right - r.left, height = r.bottom - r.top;
  const int stripRight = GetSystemMetrics(SM_CXDLGFRAME), stripInset = GetSystemMetrics(SM_CYDLGFRAME);
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  ASSERT_GE(client.left - r.left, stripRight) << "the strip lies in the frame";
  ASSERT_GE(r.right - client.right, 2);
  ASSERT_GE(r.bottom - client.bottom, 2);

  // The frame reaches the screen after the window's first paint.
  std::vector<unsigned> shown;
  const auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * width + x]; };
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 3000;) {
    test::PumpMessagesFor(10);
    shown = test::ScreenPixels(window);
    if (shown.size() == static_cast<size_t>(width) * height && at(0, height / 2) == kBorderRgb &&
        at(1, height / 2) == kStripRgb)
      break;
  }
  ASSERT_EQ(shown.size(), static_cast<size_t>(width) * height);
  test::SaveWindowScreenshot(window, L"flat-menu-frame.bmp");

  // The border all round, except where the joint opens the top edge.
  EXPECT_EQ(at(0, height / 2), kBorderRgb);
  EXPECT_EQ(at(width - 1, height / 2), kBorderRgb);
  EXPECT_EQ(at(width / 2, height - 1), kBorderRgb);
  EXPECT_EQ(at(0, 0), kBorderRgb);
  EXPECT_EQ(at(1, 0), kStripRgb);
  EXPECT_EQ(at(kJointWidth - 1, 0), kStripRgb);
  EXPECT_EQ(at(kJointWidth, 0), kBorderRgb);
  EXPECT_EQ(at(width - 2, 0), kBorderRgb);
  // The strip inside the left border, clear of the top and bottom edges.
  EXPECT_EQ(at(1, height / 2), kStripRgb);
  EXPECT_EQ(at(stripRight - 1, height / 2), kStripRgb);
  EXPECT_EQ(at(1, stripInset), kStripRgb);
  EXPECT_EQ(at(1, stripInset - 1), kBackgroundRgb);
  EXPECT_EQ(at(1, height - stripInset - 1), kStripRgb);
  EXPECT_EQ(at(1, height - stripInset), kBackgroundRgb);
  // The rest of the frame is background.
  EXPECT_EQ(at(width - 2, height / 2), kBackgroundRgb);
  EXPECT_EQ(at(width / 2, 1), kBackgroundRgb);
  EXPECT_EQ(at(width / 2, height - 2), kBackgroundRgb);

  // The shadow: right behind the popup, translucent at 60 of 255.
  EXPECT_TRUE(IsWindowVisible(shadow.Handle()));
  EXPECT_EQ(GetWindow(window, GW_HWNDNEXT), shadow.Handle());
  const SShadowAlpha on = LayeredAlphaOf(shadow.Handle());
  EXPECT_TRUE(on.layered);
  EXPECT_EQ(on.alpha, 60);

  // Where the user turned drop shadows off, a shadow stays clear.
  CDropShadowSetting off(/*on=*/false);
  CShadowWindow clear;
  ASSERT_TRUE(clear.Create(window));
  EXPECT_FALSE(LayeredAlphaOf(clear.Handle()).layered);
}

}  // namespace
}  // namespace corvane
