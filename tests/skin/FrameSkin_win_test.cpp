// A real dialog wearing the shipped skin: its window region, what its frame
// answers at real screen points, its drag and maximise limits, the system
// border it gives up and gets back, the frame on screen drawn from the
// skin's bitmap in both activation states, and its caption buttons acting
// only where they were pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PumpMessages_win.h"
#include "SkinTestDialog.h"
#include "WindowScreenshot_win.h"
#include "skin/FrameSkinManager.h"
#include "skin/GdiObject.h"
#include "skin/SkinHitTest.h"
#include "tests/skin/ShippedSkin_win.h"

namespace corvane {
namespace {

using test::AwaitScreenPixel;
using test::CShippedSkinBitmap;
using test::ShippedDialogSkin;
using test::SkinnedAppFolder;

class SkinnedFrame : public ::testing::Test {
 protected:
  LRESULT HitAt(POINT p) const { return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)); }
  SSkinRect WindowRect() const {
    RECT r = {};
    GetWindowRect(window, &r);
    return SSkinRect{r.left, r.top, r.right, r.bottom};
  }
  POINT AnchorCentre(int anchor) const {
    const SSkinRect a = PlaceAnchor(skin.anchors[anchor].rect, WindowRect());
    return POINT{(a.left + a.right) / 2, (a.top + a.bottom) / 2};
  }
  bool HasThinBorder() const { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER) != 0; }

  // First made, last gone: the dialog's hook is the manager's.
  CFrameSkinManager manager{CFrameSkinManager::SOptions{SkinnedAppFolder(), nullptr}};
  CSkinTestDialog dialog{{{1001, L"Static", L"Skinned", SS_LEFT, 10, 10, 80, 10}}};
  HWND window = dialog.Window();
  const SWindowSkin skin = ShippedDialogSkin();
};

TEST_F(SkinnedFrame, ShippedSkinOnARealDialogAndBack) {
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(skin.HasPart(kPartTop) && skin.HasPart(kPartTopIA) && skin.HasAnchor(kAnchorClose));
  const std::vector<std::wstring>& installed = manager.InstalledSkins();
  ASSERT_NE(std::find(installed.begin(), installed.end(), L"Slate"), installed.end());

  // No skin selected: the window asks and keeps its system frame.
  ASSERT_TRUE(manager.SkinWindow(window));
  EXPECT_FALSE(manager.IsSkinned(window));
  EXPECT_TRUE(HasThinBorder());
  TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR);
  RECT systemClient = {};
  GetClientRect(window, &systemClient);

  manager.LoadSkin(L"slate", /*force=*/false);
  ASSERT_TRUE(manager.IsSkinned(window));
  EXPECT_FALSE(HasThinBorder());

  const SSkinRect w = WindowRect();
  const int width = w.Width(), height = w.Height();
  ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));  // rounded top corners
  EXPECT_FALSE(PtInRegion(region.Get(), width - 1, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), width / 2, 0));
  EXPECT_TRUE(PtInRegion(region.Get(), 0, height - 1));  // square bottom corners
  EXPECT_TRUE(PtInRegion(region.Get(), width - 1, height - 1));

  const SFrameThickness t = FrameThickness(skin);
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, width - t.left - t.right);
  EXPECT_EQ(client.bottom, height - t.top - t.bottom);

  // Dragged no smaller than 320 x 240; maximised, the frame's left, right
  // and bottom edges lie outside the work area and the top stays at its top.
  MINMAXINFO limits = {};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, std::max(320, skin.minimumWidth));
  EXPECT_EQ(limits.ptMinTrackSize.y, std::max(240, skin.minimumHeight));
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(limits.ptMaxPosition.x, work.left - t.left);
  EXPECT_EQ(limits.ptMaxPosition.y, work.top);
  EXPECT_EQ(limits.ptMaxSize.x, work.right - work.left + t.right);
  EXPECT_EQ(limits.ptMaxSize.y, work.bottom - work.top + t.bottom);

  EXPECT_EQ(HitAt(AnchorCentre(kAnchorClose)), HTCLOSE);
  EXPECT_EQ(HitAt(AnchorCentre(kAnchorMinimise)), HTMINBUTTON);
  EXPECT_EQ(HitAt(AnchorCentre(kAnchorSystem)), HTSYSMENU);
  EXPECT_EQ(HitAt({w.left + width / 2, w.top + t.top / 2}), HTCAPTION);
  EXPECT_EQ(HitAt({w.left + width / 2, w.bottom - 1}), HTBORDER);  // no sizing frame: no resize zones
  EXPECT_EQ(HitAt({w.left + 1, w.top + height / 2}), HTBORDER);
  EXPECT_EQ(HitAt({w.left + width / 2, w.top + height / 2}), HTCLIENT);

  // The frame on screen comes from the skin's bitmap: the top edge (below
  // the caption text), a caption button and the bottom edge.
  const CShippedSkinBitmap bitmap;
  ASSERT_TRUE(bitmap.IsValid());
  const int row = skin.caption.b + skin.caption.d + 1;
  ASSERT_LT(row, t.top);
  const SSkinRect& top = skin.parts[kPartTop].source;
  const SSkinRect& topInactive = skin.parts[kPartTopIA].source;
  const SSkinRect& bottom = skin.parts[kPartBottom].source;
  const SSkinRect close = PlaceAnchor(skin.anchors[kAnchorClose].rect, w);
  EXPECT_EQ(AwaitScreenPixel(w.left + width / 2, w.top + row, bitmap.At(top, top.Width() / 2, row)),
            bitmap.At(top, top.Width() / 2, row));
  EXPECT_EQ(AwaitScreenPixel(close.left + 4, close.top + 8, bitmap.At(skin.parts[kPartClose].source, 4, 8)),
            bitmap.At(skin.parts[kPartClose].source, 4, 8));
  EXPECT_EQ(AwaitScreenPixel(w.left + width / 2, w.bottom - 1, bitmap.At(bottom, 1, bottom.Height() - 1)),
            bitmap.At(bottom, 1, bottom.Height() - 1));
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  test::SaveWindowScreenshot(window, L"skinned-dialog-active.bmp");

  // Inactive, the top row is drawn from the inactive parts.
  ASSERT_NE(bitmap.At(topInactive, topInactive.Width() / 2, row), bitmap.At(top, top.Width() / 2, row));
  SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(AwaitScreenPixel(w.left + width / 2, w.top + row, bitmap.At(topInactive, topInactive.Width() / 2, row)),
            bitmap.At(topInactive, topInactive.Width() / 2, row));
  test::SaveWindowScreenshot(window, L"skinned-dialog-inactive.bmp");
  SendMessageW(window, WM_NCACTIVATE, TRUE, 0);

  // Minimise pressed, the mouse moved to Close and released there: nothing.
  const auto at = [&](int anchor) {
    const POINT p = AnchorCentre(anchor);
    return MAKELPARAM(p.x, p.y);
  };
  SendMessageW(window, WM_NCLBUTTONDOWN, HTMINBUTTON, at(kAnchorMinimise));
  SendMessageW(window, WM_NCMOUSEMOVE, HTCLOSE, at(kAnchorClose));
  SendMessageW(window, WM_NCLBUTTONUP, HTCLOSE, at(kAnchorClose));
  // Close pressed and released on itself: the dialog is asked to close.
  SendMessageW(window, WM_NCLBUTTONDOWN, HTCLOSE, at(kAnchorClose));
  SendMessageW(window, WM_NCLBUTTONUP, HTCLOSE, at(kAnchorClose));
  for (const DWORD start = GetTickCount(); dialog.Commands().empty() && GetTickCount() - start < 3000;) {
    test::PumpMessagesFor(10);
  }
  // Commands arrive in posting order: a minimise would have come first.
  EXPECT_FALSE(IsIconic(window));
  const std::vector<SReceivedCommand> cancelled{{IDCANCEL, BN_CLICKED}};
  EXPECT_EQ(dialog.Commands(), cancelled);

  // Switched off: the border bit, the system's region and client area return.
  manager.LoadSkin(L"", /*force=*/false);
  EXPECT_FALSE(manager.IsSkinned(window));
  EXPECT_TRUE(HasThinBorder());
  EXPECT_EQ(GetWindowRgn(window, region.Get()), ERROR);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, systemClient.right);
  EXPECT_EQ(client.bottom, systemClient.bottom);
}

// Ends the open menu after a while, optionally moving the mouse away first;
// reports whether a menu window was up when it did.
class CMenuCloser {
 public:
  CMenuCloser(UINT afterMs, POINT moveTo, bool move) {
    s_self = this;
    m_move = move;
    m_moveTo = moveTo;
    m_timer = SetTimer(nullptr, 0, afterMs, &CMenuCloser::OnTimer);
  }
  ~CMenuCloser() {
    KillTimer(nullptr, m_timer);
    s_self = nullptr;
  }
  bool SawMenu() const { return m_sawMenu; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!s_self) return;
    HWND menu = FindWindowW(L"#32768", nullptr);
    s_self->m_sawMenu = menu && IsWindowVisible(menu);
    if (s_self->m_move) SetCursorPos(s_self->m_moveTo.x, s_self->m_moveTo.y);
    EndMenu();
  }
  static inline CMenuCloser* s_self = nullptr;
  UINT_PTR m_timer = 0;
  bool m_move = false;
  POINT m_moveTo = {};
  bool m_sawMenu = false;
};

// The System button opens the window's menu; a second click on it soon
// after (the menu ends with the mouse still on the button) closes the window.
TEST_F(SkinnedFrame, SystemButtonMenuClosesTheWindowOnlyOnAQuickSecondClick) {
  ASSERT_NE(window, nullptr);
  manager.LoadSkin(L"Slate", /*force=*/true);
  ASSERT_TRUE(manager.SkinWindow(window));
  ASSERT_TRUE(manager.IsSkinned(window));
  SetForegroundWindow(window);
  const POINT system = AnchorCentre(kAnchorSystem);
  const POINT client = {WindowRect().left + WindowRect().Width() / 2, WindowRect().top + WindowRect().Height() / 2};
  struct SCase {
    const char* what;
    UINT menuOpenMs;
    bool mouseLeaves;
    bool closes;
  };
  for (const SCase& c : {SCase{"ended at once on the button", 30, false, true},
                         SCase{"ended after 400 ms on the button", 400, false, false},
                         SCase{"ended at once with the mouse elsewhere", 30, true, false}}) {
    SCOPED_TRACE(c.what);
    dialog.ClearCommands();
    SetCursorPos(system.x, system.y);
    bool sawMenu = false;
    {
      CMenuCloser closer(c.menuOpenMs, client, c.mouseLeaves);
      // Returns when the menu has ended; a close is posted by then.
      SendMessageW(window, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(system.x, system.y));
      sawMenu = closer.SawMenu();
    }
    EXPECT_TRUE(sawMenu) << "the window's menu did not open";
    test::PumpMessagesFor(0);
    const std::vector<SReceivedCommand> cancelled{{IDCANCEL, BN_CLICKED}};
    EXPECT_EQ(dialog.Commands(), c.closes ? cancelled : std::vector<SReceivedCommand>{});
  }
}

// Destroys the dialog from a timer inside the system menu's loop, as a
// launched job that ends while the menu is open destroys the main window.
class CMenuTimeDestroyer {
 public:
  explicit CMenuTimeDestroyer(CSkinTestDialog& dialog) {
    s_dialog = &dialog;
    m_timer = SetTimer(nullptr, 0, 100, &CMenuTimeDestroyer::OnTimer);
  }
  ~CMenuTimeDestroyer() {
    KillTimer(nullptr, m_timer);
    s_dialog = nullptr;
  }
  static bool SawMenu() { return s_sawMenu; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menu = FindWindowW(L"#32768", nullptr);
    s_sawMenu = menu && IsWindowVisible(menu);
    if (s_dialog) s_dialog->Destroy();
    EndMenu();
  }
  static inline CSkinTestDialog* s_dialog = nullptr;
  static inline bool s_sawMenu = false;
  UINT_PTR m_timer = 0;
};

bool EveryHeapIsSound() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  for (DWORD i = 0; i < count && i < 64; ++i) {
    if (!HeapValidate(heaps[i], 0, nullptr)) return false;
  }
  return count > 0;
}

// The window, and with it the frame's hook, goes while the menu's loop runs:
// the loop returns into code that must not touch the freed hook.
TEST_F(SkinnedFrame, WindowDestroyedWhileItsSystemMenuIsOpenLeavesNoHookBehind) {
  ASSERT_NE(window, nullptr);
  manager.LoadSkin(L"Slate", /*force=*/true);
  ASSERT_TRUE(manager.SkinWindow(window));
  SetForegroundWindow(window);
  const POINT system = AnchorCentre(kAnchorSystem);
  SetCursorPos(system.x, system.y);
  {
    CMenuTimeDestroyer destroyer(dialog);
    SendMessageW(window, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(system.x, system.y));
    EXPECT_TRUE(CMenuTimeDestroyer::SawMenu()) << "the window's menu did not open";
  }
  test::PumpMessagesFor(0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(manager.IsSkinned(window));
  EXPECT_TRUE(EveryHeapIsSound());
}

}  // namespace
}  // namespace corvane
