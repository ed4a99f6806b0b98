// The task-dialog emulation as a real dialog under Wine, driven from a
// second thread the way a user would: choices survive the details being
// shown (the dialog is rebuilt), and the answer is the pressed button. The
// rebuilt dialog is left as a picture in the test artefacts.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/ShowMessage.h"
#include "skin/Task98Dialog.h"
#include "tests/WindowScreenshot_win.h"
#include "tests/skin/DialogShadows_win.h"

namespace corvane {
namespace {

// The dialog titled `title` of this process, waited for up to 10 s.
HWND WaitForDialog(const std::wstring& title, HWND notThis = nullptr) {
  for (int i = 0; i < 1000; ++i) {
    HWND found = FindWindowW(L"#32770", title.c_str());
    if (found && found != notThis && IsWindowVisible(found)) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

// Finds the child whose text is `text` (a button found by its caption).
HWND ChildWithText(HWND dialog, const std::wstring& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t buffer[256] = {};
    GetWindowTextW(child, buffer, 256);
    if (text == buffer) return child;
  }
  return nullptr;
}

bool HasChildText(HWND dialog, const std::wstring& text) { return ChildWithText(dialog, text) != nullptr; }

// Whether the dialog runs on this program's dialog procedure (the
// emulation), not on the system's message box.
bool RunByThisProgram(HWND dialog) {
  const auto procedure = reinterpret_cast<LPCWSTR>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
  HMODULE module = nullptr;
  return procedure &&
         GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            procedure, &module) &&
         module == GetModuleHandleW(nullptr);
}

// Waits until the screen shows a dark pixel (text) in the window: the
// dialog's thread has painted it. Asks for the paint first, from here.
bool AwaitDarkPixel(HWND window) {
  RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int i = 0; i < 300; ++i) {
    for (unsigned pixel : test::ScreenPixels(window)) {
      if ((pixel & 0xFF) < 0x40 && ((pixel >> 8) & 0xFF) < 0x40 && ((pixel >> 16) & 0xFF) < 0x40) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(Task98Dialog, ChoicesSurviveShowingTheDetailsAndThePressedButtonAnswers) {
  STask98Config config;
  config.title = L"Task98 full";
  config.icon = ETask98Icon::kWarning;
  config.mainInstruction = L"The output file exists";
  config.content = L"Replace it?";
  config.expandedInformation = L"Z:\\clips\\joined.mp4";
  config.radioButtons = {{201, L"MP4"}, {202, L"AVI"}};
  config.verificationText = L"Do not ask again";
  config.showProgressBar = true;
  config.footer = L"Footer text";
  config.commonButtons = kTask98Yes | kTask98No;

  std::wstring failure;
  std::thread user([&] {
    const auto fail = [&](const wchar_t* what) { failure = what; };
    HWND first = WaitForDialog(config.title);
    if (!first) return fail(L"no dialog");
    if (HasChildText(first, config.expandedInformation)) return fail(L"details shown before asked for");
    // The progress bar answers its own messages.
    HWND bar = GetDlgItem(first, kTask98ProgressBarId);
    SendMessageW(bar, PBM_SETRANGE32, 0, 40);
    if (SendMessageW(bar, PBM_GETRANGE, FALSE, 0) != 40) return fail(L"no progress bar 29706");
    SendMessageW(ChildWithText(first, L"AVI"), BM_CLICK, 0, 0);
    SendMessageW(ChildWithText(first, L"Do not ask again"), BM_CLICK, 0, 0);
    SendMessageW(ChildWithText(first, L"Show details"), BM_CLICK, 0, 0);

    HWND second = WaitForDialog(config.title, first);
    if (!second) return fail(L"not shown again after Show details");
    if (!HasChildText(second, config.expandedInformation)) return fail(L"details missing");
    if (!HasChildText(second, L"Hide details")) return fail(L"toggle not Hide details");
    if (SendMessageW(ChildWithText(second, L"AVI"), BM_GETCHECK, 0, 0) != BST_CHECKED) return fail(L"radio lost");
    if (SendMessageW(ChildWithText(second, L"Do not ask again"), BM_GETCHECK, 0, 0) != BST_CHECKED) {
      return fail(L"verification lost");
    }
    if (!AwaitDarkPixel(ChildWithText(second, config.expandedInformation))) return fail(L"details not drawn");
    test::SaveWindowScreenshot(second, L"task-dialog-emulation.bmp");
    SendMessageW(ChildWithText(second, L"&No"), BM_CLICK, 0, 0);
  });
  const STask98Result result = CTask98Dialog::Show(nullptr, config);
  user.join();
  EXPECT_EQ(failure, L"");
  EXPECT_EQ(result.button, 7);  // No
  EXPECT_EQ(result.radioButton, 202);
  EXPECT_TRUE(result.verificationChecked);
}

TEST(Task98Dialog, AMessageThroughTheFallbackShowsItsTextAndOkAnswersOne) {
  // Where the system has no task dialog, the program's messages take this way.
  InstallTask98MessageFallback();
  SetPlatformTaskDialogAllowed(false);
  std::wstring shownText;
  std::thread user([&] {
    if (HWND dialog = WaitForDialog(L"Task98 message")) {
      shownText = HasChildText(dialog, L"The join has finished.") && RunByThisProgram(dialog) ? L"yes" : L"no";
      SendMessageW(ChildWithText(dialog, L"OK"), BM_CLICK, 0, 0);
    }
  });
  ShowMessage(L"The join has finished.", L"Task98 message");
  user.join();
  // A question's answer is the pressed button's.
  bool emulated = false;
  std::thread answer([&] {
    if (HWND dialog = WaitForDialog(L"Task98 question")) {
      emulated = RunByThisProgram(dialog);
      SendMessageW(ChildWithText(dialog, L"&Yes"), BM_CLICK, 0, 0);
    }
  });
  const bool yes = AskQuestion(L"Replace the file?", L"Task98 question");
  answer.join();
  EXPECT_TRUE(emulated);
  EXPECT_TRUE(yes);
  SetPlatformTaskDialogAllowed(true);
  SetTaskDialogFallback(nullptr);
  EXPECT_EQ(shownText, L"yes");

  STask98Config config;
  config.title = L"Task98 OK";
  config.content = L"Press OK";
  std::thread press([&] {
    if (HWND dialog = WaitForDialog(config.title)) SendMessageW(ChildWithText(dialog, L"OK"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(CTask98Dialog::Show(nullptr, config).button, 1);
  press.join();
}

struct SShadows {
  HWND right = nullptr, bottom = nullptr;
};

// The shadow windows the dialog owns, told apart by their place.
SShadows ShadowsOf(HWND dialog) {
  const std::vector<HWND> found = test::ShadowWindowsOf(dialog);
  SShadows shadows;
  for (HWND window : found) {
    RECT r = {};
    GetWindowRect(window, &r);
    (r.right - r.left == 4 ? shadows.right : shadows.bottom) = window;
  }
  return shadows;
}

TEST(Task98Dialog, TwoTranslucentShadowsFollowTheDialogWhereTheSystemDrawsShadows) {
  BOOL before = FALSE;
  SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &before, 0);
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(TRUE), 0);
  STask98Config config;
  config.title = L"Task98 shadow";
  config.content = L"Moved";
  std::wstring failure = L"no dialog";
  std::thread user([&] {
    HWND dialog = WaitForDialog(config.title);
    if (!dialog) return;
    SetWindowPos(dialog, nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame = {};
    GetWindowRect(dialog, &frame);
    const SShadows shadows = ShadowsOf(dialog);
    RECT right = {}, bottom = {};
    GetWindowRect(shadows.right, &right);
    GetWindowRect(shadows.bottom, &bottom);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!shadows.right || !shadows.bottom) {
      failure = L"not two shadows";
    } else if (right.left != frame.right || right.top != frame.top + 4 || right.bottom != frame.bottom + 4) {
      failure = L"right shadow misplaced";
    } else if (bottom.left != frame.left + 4 || bottom.right != frame.right || bottom.top != frame.bottom ||
               bottom.bottom != frame.bottom + 4) {
      failure = L"bottom shadow misplaced";
    } else if (!IsWindowVisible(shadows.right) || !IsWindowVisible(shadows.bottom)) {
      failure = L"shadows hidden";
    } else if (!GetLayeredWindowAttributes(shadows.right, nullptr, &alpha, &flags) || alpha != 60) {
      failure = L"not at opacity 60";
    } else if (GetForegroundWindow() == shadows.right || IsWindowEnabled(shadows.right)) {
      failure = L"shadow can be activated";
    } else {
      failure.clear();
    }
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  CTask98Dialog::Show(nullptr, config);
  user.join();
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(before)), 0);
  EXPECT_EQ(failure, L"");
}

}  // namespace
}  // namespace corvane
