// What the skin manager does with the windows of its thread beyond the
// frames: it forgets a skinned window that is destroyed even when the
// window's subclass never sees its last message (with a second manager on
// the same thread coming and going), and it dresses the bands of a real
// rebar in the shipped skin's menu-bar watermark, puts it back when asked
// again, and takes it off before the bitmap goes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SkinTestDialog.h"
#include "base/TextConvert.h"
#include "base/UniqueHandle.h"
#include "skin/FrameSkinManager.h"

namespace corvane {
namespace {

std::wstring ManagerTestAppFolder() {
  std::wstring path = L"Z:" + Utf8ToWide(CORVANE_BUILD_DIR) + L"/app/";
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

CFrameSkinManager::SOptions ManagerTestOptions() { return {ManagerTestAppFolder(), nullptr}; }

// A window procedure put on top of everything else that keeps WM_NCDESTROY
// from the procedures below it, the skin's subclass among them: the way a
// window looks whose later subclasser forgets to pass the message on.
constexpr wchar_t kSwallowedProcProperty[] = L"Corvane.Test.ProcBelow";

LRESULT CALLBACK SwallowLastMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto below = reinterpret_cast<WNDPROC>(GetPropW(window, kSwallowedProcProperty));
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kSwallowedProcProperty);
    return 0;
  }
  return CallWindowProcW(below, window, message, wParam, lParam);
}

void HideLastMessage(HWND window) {
  SetPropW(window, kSwallowedProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowLastMessage));
}

HBITMAP BandBitmap(HWND rebar, UINT band) {
  REBARBANDINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = RBBIM_BACKGROUND;
  return SendMessageW(rebar, RB_GETBANDINFOW, band, reinterpret_cast<LPARAM>(&info)) ? info.hbmBack : nullptr;
}

void ClearBandBitmap(HWND rebar, UINT band) {
  REBARBANDINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = RBBIM_BACKGROUND;
  SendMessageW(rebar, RB_SETBANDINFOW, band, reinterpret_cast<LPARAM>(&info));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

bool SameSize(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }

// A rebar with two text bands on the dialog.
HWND MakeRebar(HWND parent) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_COOL_CLASSES};
  InitCommonControlsEx(&icc);
  HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_NODIVIDER | RBS_VARHEIGHT, 0,
                               0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (const wchar_t* text : {L"File", L"Edit"}) {
    REBARBANDINFOW band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_TEXT | RBBIM_SIZE;
    band.lpText = const_cast<wchar_t*>(text);
    band.cx = 80;
    SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
  }
  return rebar;
}

TEST(SkinManagerWindows, ForgetsDestroyedWindowsAndDressesRebarBands) {
  CFrameSkinManager manager(ManagerTestOptions());
  manager.LoadSkin(L"Slate", /*force=*/true);
  ASSERT_TRUE(manager.IsSkinActive());

  CSkinTestDialog first{{}};
  CSkinTestDialog second{{}};
  ASSERT_TRUE(manager.SkinWindow(first.Window()));
  HideLastMessage(first.Window());
  {
    // A manager of its own on the same thread: it forgets its own windows,
    // and its going leaves the first manager watching.
    CFrameSkinManager other(ManagerTestOptions());
    other.LoadSkin(L"Slate", /*force=*/true);
    ASSERT_TRUE(other.SkinWindow(second.Window()));
    HideLastMessage(second.Window());
    const HWND secondWindow = second.Window();
    second.Destroy();
    EXPECT_FALSE(other.IsSkinned(secondWindow));
    EXPECT_TRUE(manager.IsSkinned(first.Window()));
  }
  const HWND firstWindow = first.Window();
  first.Destroy();
  EXPECT_FALSE(manager.IsSkinned(firstWindow));

  // The rebar's bands wear the shipped watermark.
  CSkinTestDialog host{{}};
  const HWND rebar = MakeRebar(host.Window());
  ASSERT_NE(rebar, nullptr);
  ASSERT_EQ(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0), 2);
  const TGdiObject<HBITMAP> shipped(static_cast<HBITMAP>(
      LoadImageW(nullptr, (ManagerTestAppFolder() + L"skins\\Slate\\menubar.bmp").c_str(), IMAGE_BITMAP, 0, 0,
                 LR_LOADFROMFILE)));
  const SIZE shippedSize = BitmapSize(shipped.Get());
  ASSERT_GT(shippedSize.cx, 0);

  manager.LoadSkin(L"Slate", rebar, /*force=*/true);
  const HBITMAP watermark = BandBitmap(rebar, 0);
  EXPECT_TRUE(SameSize(BitmapSize(watermark), shippedSize));
  EXPECT_EQ(BandBitmap(rebar, 1), watermark);

  // The skin in use again, not forced: only the watermark comes back.
  ClearBandBitmap(rebar, 0);
  ClearBandBitmap(rebar, 1);
  manager.LoadSkin(L"slate", rebar, /*force=*/false);
  EXPECT_EQ(BandBitmap(rebar, 0), watermark);
  EXPECT_EQ(BandBitmap(rebar, 1), watermark);

  // Read again without a rebar: the old bitmap is freed, and first taken
  // off the bands it was on.
  manager.LoadSkin(L"Slate", nullptr, /*force=*/true);
  EXPECT_EQ(BandBitmap(rebar, 0), nullptr);
  EXPECT_EQ(BandBitmap(rebar, 1), nullptr);

  manager.LoadSkin(L"Slate", rebar, /*force=*/true);
  EXPECT_TRUE(SameSize(BitmapSize(BandBitmap(rebar, 1)), shippedSize));
  manager.LoadSkin(L"", rebar, /*force=*/true);
  EXPECT_EQ(BandBitmap(rebar, 0), nullptr);
  EXPECT_EQ(BandBitmap(rebar, 1), nullptr);
}

}  // namespace
}  // namespace corvane
