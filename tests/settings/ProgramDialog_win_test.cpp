// The joiner's own main dialog (resource 129 of Corvane.exe) translated to
// German with the shipped packs and back, under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kCorvaneExe = fs::path(CORVANE_BUILD_DIR) / "app" / "Corvane.exe";
const fs::path kPacks = fs::path(CORVANE_TEST_DATA).parent_path().parent_path() / "resources" / "language";

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  wchar_t buffer[256] = {};
  GetWindowTextW(child, buffer, 256);
  if (buffer[0]) reinterpret_cast<std::set<std::wstring>*>(texts)->insert(buffer);
  return TRUE;
}

std::set<std::wstring> ChildTexts(HWND dialog) {
  std::set<std::wstring> texts;
  EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

class ProgramDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(kCorvaneExe)) << "Corvane.exe not built: " << kCorvaneExe;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    // The dialog names the program's window class, a copy of the dialog class.
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    ASSERT_TRUE(GetClassInfoExW(nullptr, L"#32770", &cls));
    cls.lpszClassName = L"Tavrel Video";
    cls.style |= CS_GLOBALCLASS;  // the dialog is made from another module's resources
    cls.hInstance = GetModuleHandleW(nullptr);
    RegisterClassExW(&cls);

    module = LoadLibraryExW(kCorvaneExe.wstring().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetLastError();
    dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(129), nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << GetLastError();

    CMultiLanguage::SOptions options;
    options.languageFolder = kPacks.wstring() + L"\\";
    options.defaultLanguage = CMultiLanguage::kEnglish;
    manager = std::make_unique<CMultiLanguage>(options);
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
    manager.reset();
    if (module) FreeLibrary(module);
  }

  HMODULE module = nullptr;
  HWND dialog = nullptr;
  std::unique_ptr<CMultiLanguage> manager;
};

TEST_F(ProgramDialog, MainDialogTurnsGermanAndBack) {
  const std::set<std::wstring> english = ChildTexts(dialog);
  ASSERT_TRUE(english.count(L"&Join...")) << "dialog 129 changed: update this test";

  ASSERT_GE(manager->IndexOfLanguage(L"German"), 1);
  manager->SelectLanguage(L"German", false);
  TranslateWindow(*manager, dialog);
  const std::set<std::wstring> german = ChildTexts(dialog);
  for (const wchar_t* text : {L"&Schnell verbinden", L"&Zusammenf\u00fcgen...", L"&Abbrechen",
                              L"Oberfl\u00e4chen&sprache:", L"&Video-Download...", L"&Info..."})
    EXPECT_TRUE(german.count(text)) << "missing German text";
  for (const std::wstring& text : english)
    EXPECT_FALSE(german.count(text) && manager->Translate(text) != text) << "left untranslated";

  if (const char* hold = std::getenv("CORVANE_HOLD_MS")) {
    ShowWindow(dialog, SW_SHOW);
    for (DWORD until = GetTickCount() + std::atoi(hold); GetTickCount() < until; Sleep(20)) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
  }

  manager->SelectLanguage(L"English", false);
  TranslateWindow(*manager, dialog);
  EXPECT_EQ(ChildTexts(dialog), english);
}

}  // namespace
}  // namespace corvane
