// Image buttons on a real dialog under Wine: clicks by space key, mouse and
// BM_CLICK, nothing from a disabled button, the pictures they paint, the
// tool tip, and who owns the image lists.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "SkinTestDialog.h"
#include "skin/CommandImageList.h"
#include "skin/FlatHeaderListCtrl.h"
#include "skin/Icon2Button.h"

namespace corvane {
namespace {

constexpr int kUpId = 1031, kDownId = 1032, kListId = 1011;
constexpr unsigned kRed = 0xE01010;

bool IsReddish(unsigned p) { return ((p >> 16) & 0xFF) > 0xB0 && ((p >> 8) & 0xFF) < 0x50 && (p & 0xFF) < 0x50; }
bool IsGreyInk(unsigned p) {
  const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r == g && g == b;
}

class ImageButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<CSkinTestDialog>(std::vector<STestControl>{
        {kUpId, L"Button", L"", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 10, 10, 16, 16},
        {kDownId, L"Button", L"", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 10, 30, 16, 16}});
    ASSERT_NE(dialog->Window(), nullptr);
    ASSERT_TRUE(images.Create());
    icon = MakeSolidIcon(kRed);
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(images.SetImage(ECommandImage::kMoveUp, icon));
    ASSERT_TRUE(up.AttachDlgItem(dialog->Window(), kUpId));
    ASSERT_TRUE(down.AttachDlgItem(dialog->Window(), kDownId));
    up.SetImageLists(images.Normal(), images.Disabled(), CommandImageIndex(ECommandImage::kMoveUp));
    up.SetCaption(L"Move Up");
  }
  void TearDown() override {
    if (icon) DestroyIcon(icon);
  }
  size_t ClicksOf(int id) const {
    return std::count(dialog->Commands().begin(), dialog->Commands().end(), SReceivedCommand{id, BN_CLICKED});
  }

  CCommandImageList images;  // outlives the buttons
  std::unique_ptr<CSkinTestDialog> dialog;
  CIcon2Button up;
  CIcon2Button down;
  HICON icon = nullptr;
};

TEST_F(ImageButtons, SpacePressedAndReleasedClicksOnce) {
  SetFocus(up.Handle());
  ASSERT_EQ(GetFocus(), up.Handle());
  SendMessageW(up.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_TRUE(up.CurrentState().pressed);
  EXPECT_EQ(ClicksOf(kUpId), 0u);  // not on the way down
  SendMessageW(up.Handle(), WM_KEYDOWN, VK_SPACE, 1 | (1u << 30));  // auto-repeat
  SendMessageW(up.Handle(), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  EXPECT_EQ(ClicksOf(kUpId), 1u);
  EXPECT_EQ(dialog->Commands().size(), 1u);
  EXPECT_FALSE(up.CurrentState().pressed);
}

TEST_F(ImageButtons, FocusLostWhileSpaceIsDownCancelsTheClick) {
  SetFocus(up.Handle());
  SendMessageW(up.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  SetFocus(down.Handle());
  SendMessageW(up.Handle(), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  EXPECT_EQ(ClicksOf(kUpId), 0u);
}

TEST_F(ImageButtons, MouseAndBmClickClick) {
  ClickControl(up.Handle());
  EXPECT_EQ(ClicksOf(kUpId), 1u);
  SendMessageW(up.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ClicksOf(kUpId), 2u);
  // Released away from the button: no click.
  SendMessageW(up.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(up.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
  EXPECT_FALSE(up.CurrentState().pressed);
  SendMessageW(up.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_EQ(ClicksOf(kUpId), 2u);
}

TEST_F(ImageButtons, DisabledButtonDoesNotClick) {
  EnableWindow(up.Handle(), FALSE);
  ClickControl(up.Handle());
  PressKey(up.Handle(), VK_SPACE);
  SendMessageW(up.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(ClicksOf(kUpId), 0u);
}

TEST_F(ImageButtons, PaintsItsImageAndTheGreyedImageWhenDisabled) {
  int width = 0, height = 0;
  std::vector<unsigned> pixels = PrintClientPixels(up.Handle(), width, height);
  ASSERT_FALSE(pixels.empty());
  const size_t red = std::count_if(pixels.begin(), pixels.end(), IsReddish);
  EXPECT_GE(red, 16u * 16u * 3 / 4) << "the 16 x 16 image";
  // The whole client area is painted (background included).
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0x123456u), 0);

  EnableWindow(up.Handle(), FALSE);
  pixels = PrintClientPixels(up.Handle(), width, height);
  EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), IsReddish), 0);
  const unsigned face = GetSysColor(COLOR_BTNFACE);
  const unsigned faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  const size_t greyInk = std::count_if(pixels.begin(), pixels.end(), [&](unsigned p) { return IsGreyInk(p) && p != faceRgb; });
  EXPECT_GE(greyInk, 16u * 16u / 2) << "the greyed image";
}

TEST_F(ImageButtons, PressedImageIsShifted) {
  int width = 0, height = 0;
  const std::vector<unsigned> idle = PrintClientPixels(up.Handle(), width, height);
  SetFocus(up.Handle());
  SendMessageW(up.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  const std::vector<unsigned> pressed = PrintClientPixels(up.Handle(), width, height);
  SendMessageW(up.Handle(), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  const auto firstRed = [&](const std::vector<unsigned>& p) {
    return std::find_if(p.begin(), p.end(), IsReddish) - p.begin();
  };
  EXPECT_EQ(firstRed(pressed), firstRed(idle) + width + 1);  // one pixel right and down
}

TEST_F(ImageButtons, HoverTracksTheMouseUntilItLeaves) {
  SendMessageW(up.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(up.CurrentState().hot);
  SendMessageW(up.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(up.CurrentState().hot);
}

TEST_F(ImageButtons, ToolTipShowsTheCaption) {
  ASSERT_NE(up.ToolTipWindow(), nullptr);
  wchar_t text[64] = {};
  TOOLINFOW tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = dialog->Window();
  tool.uId = reinterpret_cast<UINT_PTR>(up.Handle());
  tool.lpszText = text;
  SendMessageW(up.ToolTipWindow(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Move Up");
  wchar_t caption[64] = {};
  GetWindowTextW(up.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Move Up");  // accessibility reads the window text
}

TEST_F(ImageButtons, SharedImageListsOutliveTheButton) {
  dialog->Destroy();
  EXPECT_EQ(up.Handle(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images.Normal()), kCommandImageCount);
  EXPECT_EQ(ImageList_GetImageCount(images.Disabled()), kCommandImageCount);
}

// A bitmap button with four images of its own: each state shows its image.
TEST(BitmapButton, ShowsTheImageOfEachLook) {
  CSkinTestDialog dialog({{kUpId, L"Button", L"", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 16, 16},
                          {kDownId, L"Button", L"", BS_PUSHBUTTON | WS_TABSTOP, 10, 30, 16, 16}});
  const unsigned colours[] = {0xE01010, 0x10E010, 0x1010E0, 0xE0E010};  // normal, pressed, hover, disabled
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0);
  ASSERT_NE(list, nullptr);
  for (unsigned colour : colours) {
    HICON icon = MakeSolidIcon(colour);
    ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
  }
  CF3dBitmapButton button;
  ASSERT_TRUE(button.AttachDlgItem(dialog.Window(), kUpId));
  button.SetImageList(list, /*shared=*/false);  // the button destroys it
  button.SetImages(0, 1, 2, 3);
  const auto centre = [&] {
    int width = 0, height = 0;
    const std::vector<unsigned> pixels = PrintClientPixels(button.Handle(), width, height);
    return pixels.empty() ? 0u : pixels[(height / 2) * width + width / 2];
  };
  EXPECT_EQ(centre(), colours[0]);
  SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(centre(), colours[2]);
  SetFocus(button.Handle());
  SendMessageW(button.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(centre(), colours[1]);
  SendMessageW(button.Handle(), WM_KEYUP, VK_SPACE, 1 | (1u << 30) | (1u << 31));
  EXPECT_EQ(centre(), colours[2]);
  SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
  EnableWindow(button.Handle(), FALSE);
  EXPECT_EQ(centre(), colours[3]);
  EXPECT_EQ(dialog.Commands(), (std::vector<SReceivedCommand>{{kUpId, BN_CLICKED}}));
}

TEST(CommandImageList, RejectsSlotsOutsideTheList) {
  CCommandImageList images;
  HICON icon = MakeSolidIcon(kRed);
  EXPECT_FALSE(images.SetImage(0, icon));  // not created yet
  ASSERT_TRUE(images.Create());
  EXPECT_FALSE(images.SetImage(-1, icon));
  EXPECT_FALSE(images.SetImage(kCommandImageCount, icon));
  EXPECT_TRUE(images.SetImage(kCommandImageCount - 1, icon));
  EXPECT_FALSE(images.SetImage(3, nullptr));
  DestroyIcon(icon);
}

TEST(CommandImageList, UnusedSlotsDrawNothing) {
  CCommandImageList images;
  ASSERT_TRUE(images.Create());
  HICON icon = MakeSolidIcon(kRed);
  ASSERT_TRUE(images.SetImage(ECommandImage::kAdd, icon));
  DestroyIcon(icon);
  const auto drawn = [&](int index) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images.Normal(), index, dc, 0, 0, ILD_TRANSPARENT);
    const COLORREF centre = GetPixel(dc, 8, 8);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return centre;
  };
  EXPECT_EQ(drawn(0), RGB(255, 255, 255));
  EXPECT_EQ(drawn(CommandImageIndex(ECommandImage::kRemove)), RGB(255, 255, 255));
  EXPECT_NE(drawn(CommandImageIndex(ECommandImage::kAdd)), RGB(255, 255, 255));
}

class CTestList : public TVistaStyleListCtrl<CTestList> {};

TEST(FlatHeaderList, AttachedListGetsTheFlatHeaderAndExplorerLook) {
  CSkinTestDialog dialog({{kListId, L"SysListView32", L"", LVS_REPORT | LVS_OWNERDATA, 10, 10, 150, 80}});
  HWND control = dialog.Item(kListId);
  ASSERT_NE(control, nullptr);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 80;
  column.pszText = const_cast<wchar_t*>(L"Order");
  SendMessageW(control, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  CTestList list;
  ASSERT_TRUE(list.Attach(control));
  EXPECT_TRUE(GetWindowLongPtrW(list.Header(), GWL_STYLE) & HDS_FLAT);
  const DWORD extended = ListView_GetExtendedListViewStyle(control);
  EXPECT_TRUE(extended & LVS_EX_DOUBLEBUFFER);
  EXPECT_TRUE(extended & LVS_EX_FULLROWSELECT);
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  EXPECT_STREQ(name, L"SysListView32");  // still the system's list for outside readers
  EXPECT_FALSE(list.Attach(control));     // one window per object
  CTestList second;
  EXPECT_FALSE(second.Attach(control));   // and one object per window
  EXPECT_EQ(second.Handle(), nullptr);
}

}  // namespace
}  // namespace corvane
