// The joiner's own main dialog (resource 129 of Corvane.exe) translated to
// German with the shipped packs and back, and every shipped pack's text drawn
// in its font, under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "settings/LanguagePack.h"
#include "settings/TranslateWindow.h"
#include "skin/GdiObject.h"
#include "tests/WindowScreenshot_win.h"

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

// Pixels of `character` drawn black on white with `font` in a 48-pixel cell,
// more than the dialog font's tallest glyph needs.
std::vector<unsigned> GlyphPixels(HFONT font, wchar_t character) {
  constexpr int kCell = 48;
  const CScreenDC screen;
  CMemoryDC cell(screen.Get(), kCell, kCell);
  if (!cell.IsValid()) return {};
  const CSelectObject selected(cell.Get(), font);
  const RECT whole = {0, 0, kCell, kCell};
  SetBkColor(cell.Get(), RGB(255, 255, 255));
  SetTextColor(cell.Get(), RGB(0, 0, 0));
  ExtTextOutW(cell.Get(), 2, 2, ETO_OPAQUE, &whole, &character, 1, nullptr);
  BITMAPINFOHEADER info = test::TopDownHeader(kCell, kCell);
  std::vector<unsigned> pixels(kCell * kCell);
  GetDIBits(cell.Get(), static_cast<HBITMAP>(GetCurrentObject(cell.Get(), OBJ_BITMAP)), 0, kCell, pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  return pixels;
}

std::wstring FaceOf(HFONT font) {
  const CScreenDC screen;
  const CSelectObject selected(screen.Get(), font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(screen.Get(), LF_FACESIZE, face);
  return face;
}

// Windows draws the Japanese and Chinese texts in the dialog's own font
// (Tahoma), whose missing characters come from the CJK font linked behind
// it, so dialog units and every control's rectangle stay the same in every
// language. A character that no font of the system has draws as the missing
// glyph's box: the Wine prefix of the tests and the demo (scripts/setup.sh,
// scripts/wine-env.sh) must show every shipped text as Windows does.
TEST_F(ProgramDialog, EveryShippedPackDrawsInTheDialogFontWithoutMissingGlyphs) {
  const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(FaceOf(font), L"Tahoma") << "the dialogs' font is missing or replaced: dialog units change";

  const std::vector<unsigned> missing = GlyphPixels(font, 0xFFFF);  // a character no font has
  ASSERT_FALSE(missing.empty());
  std::set<wchar_t> characters;
  int packs = 0;
  for (const auto& entry : fs::directory_iterator(kPacks)) {
    if (entry.path().extension() != ".lng") continue;
    TLanguageTable texts;
    ASSERT_TRUE(ReadLanguageStrings(entry.path().wstring(), texts)) << entry.path();
    ++packs;
    for (const auto& text : texts) characters.insert(text.second.begin(), text.second.end());
  }
  EXPECT_GE(packs, 2);
  ASSERT_TRUE(characters.count(L'\u7D50')) << "no Japanese or Chinese text among the packs";  // 結

  std::wstring boxes;
  for (const wchar_t character : characters) {
    if (character > L' ' && GlyphPixels(font, character) == missing) boxes += character;
  }
  EXPECT_TRUE(boxes.empty()) << "drawn as the missing glyph: " << WideToUtf8(boxes);

  // The caption buttons' glyphs (close, minimise) come from Marlett; without
  // it the frame shows the letters that stand for them.
  const TGdiObject<HFONT> marlett(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                              DEFAULT_PITCH, L"Marlett"));
  EXPECT_EQ(FaceOf(marlett.Get()), L"Marlett");
}

}  // namespace
}  // namespace corvane
