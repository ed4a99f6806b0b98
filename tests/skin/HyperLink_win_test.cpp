// Links on a real dialog under Wine: what clicks and keys do, the private
// caption messages, the colours they paint in, and translation of their
// labels by the language manager.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "SkinTestDialog.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslatableControl.h"
#include "settings/TranslateWindow.h"
#include "skin/DeadLink.h"
#include "skin/F3dHyperLink.h"
#include "skin/Icon2Button.h"

namespace corvane {
namespace {

constexpr int kDeadId = 1005, kOpenId = 1006, kPlainId = 1007, kButtonId = 1038;
constexpr COLORREF kBlue = 0xFF0000, kPurple = 0x800080;  // 0x00BBGGRR

std::vector<STestControl> LinkControls() {
  return {{kDeadId, L"Static", L"www.tavrel.example", SS_NOTIFY, 10, 10, 120, 10},
          {kOpenId, L"Static", L"Home page", 0, 10, 26, 120, 10},
          {kPlainId, L"Static", L"Remove", 0, 10, 42, 120, 10},
          {kButtonId, L"Button", L"", BS_PUSHBUTTON | WS_TABSTOP, 150, 10, 16, 16}};
}

std::wstring CaptionOf(HWND control, size_t length = 256) {
  std::vector<wchar_t> buffer(length + 1, L'#');
  SendMessageW(control, kMsgGetControlCaption, length, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer.data();
}

std::wstring WindowTextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

bool Paints(HWND control, COLORREF colour) {
  int width = 0, height = 0;
  const std::vector<unsigned> pixels = PrintClientPixels(control, width, height);
  const unsigned rgb = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  return std::find(pixels.begin(), pixels.end(), rgb) != pixels.end();
}

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = std::make_unique<CSkinTestDialog>(LinkControls());
    ASSERT_NE(dialog->Window(), nullptr);
    ASSERT_TRUE(dead.AttachDlgItem(dialog->Window(), kDeadId));
    ASSERT_TRUE(open.AttachDlgItem(dialog->Window(), kOpenId));
    const auto record = [this](const std::wstring& target) {
      opened.push_back(target);
      return true;
    };
    dead.SetOpener(record);
    open.SetOpener(record);
  }
  std::unique_ptr<CSkinTestDialog> dialog;
  CDeadLink dead;
  CF3dHyperLink open;
  std::vector<std::wstring> opened;
};

TEST_F(Links, DeadLinkClickSendsTheParentItsCommandAndOpensNothing) {
  dead.SetTarget(L"https://www.tavrel.example/");
  ClickControl(dead.Handle());
  ASSERT_EQ(dialog->Commands().size(), 1u);
  EXPECT_EQ(dialog->Commands()[0], (SReceivedCommand{kDeadId, STN_CLICKED}));
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(dead.Visited());
}

TEST_F(Links, DeadLinkAnswersSpaceAndEnterWhenFocused) {
  SetFocus(dead.Handle());
  ASSERT_EQ(GetFocus(), dead.Handle());
  PressKey(dead.Handle(), VK_SPACE);
  PressKey(dead.Handle(), VK_RETURN);
  PressKey(dead.Handle(), 'A');  // other keys do nothing
  EXPECT_EQ(dialog->Commands(), (std::vector<SReceivedCommand>{{kDeadId, 0}, {kDeadId, 0}}));
  // Enter reaches the link rather than the dialog's default button.
  MSG enter = {};
  enter.hwnd = dead.Handle();
  enter.message = WM_KEYDOWN;
  enter.wParam = VK_RETURN;
  EXPECT_TRUE(SendMessageW(dead.Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);
  EXPECT_TRUE(opened.empty());
}

TEST_F(Links, ReleasingOutsideTheLinkDoesNotActivateIt) {
  SendMessageW(dead.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(dead.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 3000));
  EXPECT_TRUE(dialog->Commands().empty());
}

TEST_F(Links, DisabledLinkDoesNothing) {
  EnableWindow(dead.Handle(), FALSE);
  dialog->ClearCommands();  // the static itself reports being disabled (SS_NOTIFY)
  ClickControl(dead.Handle());
  PressKey(dead.Handle(), VK_RETURN);
  EXPECT_TRUE(dialog->Commands().empty());
}

TEST_F(Links, HyperLinkOpensItsTargetAndPaintsVisited) {
  open.SetTarget(L"https://www.tavrel.example/soft.php");
  EXPECT_TRUE(Paints(open.Handle(), kBlue));
  ClickControl(open.Handle());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], L"https://www.tavrel.example/soft.php");
  EXPECT_TRUE(dialog->Commands().empty());  // the parent is not asked
  EXPECT_TRUE(open.Visited());
  EXPECT_TRUE(Paints(open.Handle(), kPurple));
  EXPECT_FALSE(Paints(open.Handle(), kBlue));
}

TEST_F(Links, HyperLinkWithoutTargetLooksLikeALinkButOpensNothing) {
  EXPECT_TRUE(Paints(open.Handle(), kBlue));
  ClickControl(open.Handle());
  SetFocus(open.Handle());
  PressKey(open.Handle(), VK_RETURN);
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(open.Visited());
  EXPECT_TRUE(dialog->Commands().empty());
}

TEST_F(Links, ShowsTheHandCursorAndTakesTheMouse) {
  EXPECT_EQ(SendMessageW(open.Handle(), WM_NCHITTEST, 0, 0), HTCLIENT);  // even without SS_NOTIFY
  SendMessageW(open.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(open.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(Links, CaptionMessagesReadAndReplaceTheLabel) {
  EXPECT_EQ(SendMessageW(dead.Handle(), kMsgIsTranslatableControl, 0, 0), 1);
  EXPECT_EQ(SendMessageW(dialog->Item(kPlainId), kMsgIsTranslatableControl, 0, 0), 0);  // a plain static
  EXPECT_EQ(CaptionOf(dead.Handle()), L"www.tavrel.example");
  EXPECT_EQ(CaptionOf(dead.Handle(), 4), L"www");  // cut to the buffer, terminated

  const std::wstring replaced = L"Tavrel on the web";
  SendMessageW(dead.Handle(), kMsgSetControlCaption, 0, reinterpret_cast<LPARAM>(replaced.c_str()));
  EXPECT_EQ(dead.Label(), replaced);
  EXPECT_EQ(CaptionOf(dead.Handle()), replaced);
  EXPECT_EQ(WindowTextOf(dead.Handle()), replaced);  // what outside readers see

  SetWindowTextW(dead.Handle(), L"");
  EXPECT_EQ(CaptionOf(dead.Handle()), L"");  // an empty label gives an empty text
  SetWindowTextW(dead.Handle(), L"again");
  EXPECT_EQ(dead.Label(), L"again");
}

TEST_F(Links, LetGoWhenTheWindowIsDestroyed) {
  dialog->Destroy();
  EXPECT_EQ(dead.Handle(), nullptr);
  EXPECT_EQ(open.Handle(), nullptr);
}

TEST(LinkLifetime, LinkDestroyedBeforeItsDialogLeavesAPlainStatic) {
  CSkinTestDialog dialog(LinkControls());
  {
    CDeadLink link;
    ASSERT_TRUE(link.AttachDlgItem(dialog.Window(), kOpenId));  // a static without SS_NOTIFY
  }
  HWND control = dialog.Item(kOpenId);
  EXPECT_EQ(SendMessageW(control, kMsgIsTranslatableControl, 0, 0), 0);
  ClickControl(control);  // must not reach the destroyed object
  EXPECT_TRUE(dialog.Commands().empty());
}

// The language manager reaches the captions of links and image buttons.
class TranslatedLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / "corvane-skin-translate-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    WritePack("English", "[String]\n1=Remove\n2=Add...\n3=Home page\n");
    WritePack("German", "[String]\n1=Entfernen\n2=Hinzuf\xC3\xBCgen...\n3=Startseite\n");
    CMultiLanguage::SOptions options;
    options.languageFolder = folder.wstring() + L"\\";
    options.defaultLanguage = L"English";
    manager = std::make_unique<CMultiLanguage>(options);
  }
  void TearDown() override {
    manager.reset();
    std::filesystem::remove_all(folder);
  }
  void WritePack(const std::string& name, const std::string& text) {
    std::ofstream(folder / (name + ".lng"), std::ios::binary) << "\xEF\xBB\xBF" << text;
  }
  std::filesystem::path folder;
  std::unique_ptr<CMultiLanguage> manager;
};

TEST_F(TranslatedLinks, TranslateWindowReachesLinkLabelsAndButtonCaptions) {
  CSkinTestDialog dialog(LinkControls());
  CDeadLink dead;
  CF3dHyperLink open;
  CIcon2Button button;
  ASSERT_TRUE(dead.AttachDlgItem(dialog.Window(), kDeadId));
  ASSERT_TRUE(open.AttachDlgItem(dialog.Window(), kOpenId));
  ASSERT_TRUE(button.AttachDlgItem(dialog.Window(), kButtonId));
  dead.SetLabel(L"Remove");
  button.SetCaption(L"Add...");
  EXPECT_EQ(button.ToolTipText(), L"Add...");

  manager->SelectLanguage(L"German", /*initial=*/false);
  TranslateWindow(*manager, dialog.Window());
  EXPECT_EQ(CaptionOf(dead.Handle()), L"Entfernen");
  EXPECT_EQ(CaptionOf(open.Handle()), L"Startseite");
  EXPECT_EQ(button.Caption(), L"Hinzuf\u00fcgen...");
  EXPECT_EQ(button.ToolTipText(), L"Hinzuf\u00fcgen...");  // the tip follows the caption

  manager->SelectLanguage(L"English", /*initial=*/false);  // and back
  TranslateWindow(*manager, dialog.Window());
  EXPECT_EQ(dead.Label(), L"Remove");
  EXPECT_EQ(open.Label(), L"Home page");
  EXPECT_EQ(button.Caption(), L"Add...");
}

}  // namespace
}  // namespace corvane
