// A fresh user runs the joiner once and closes it normally: the settings it
// keeps must then be in the registry (under Wine, with Corvane.exe built).
// A launcher that names its language gets the joiner in that language; the
// language box then switches the window through every installed pack, each
// showing its own texts and no English one it translates; the language
// chosen last stays chosen after the joiner's normal exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>
#include <string>

#include "settings/ColumnsInfo.h"
#include "settings/LanguagePack.h"
#include "settings/RegPreference.h"
#include "settings/RegistryRoot.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = fs::path(CORVANE_BUILD_DIR) / "app" / "Corvane.exe";

HWND WaitForMainWindow(DWORD processId, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
    for (HWND window = FindWindowW(L"Tavrel Video", nullptr); window;
         window = FindWindowExW(nullptr, window, L"Tavrel Video", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId) return window;
    }
    Sleep(100);
  }
  return nullptr;
}

TEST(ProgramSettings, FreshUserFindsSettingsAfterNormalExit) {
  ASSERT_TRUE(fs::exists(kProgram)) << "Corvane.exe was not built";
  RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Tavrel\\Corvane");

  std::wstring commandLine = L"\"" + kProgram.wstring() + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  HWND window = WaitForMainWindow(process.dwProcessId, 20000);
  EXPECT_NE(window, nullptr);
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(ended);
  EXPECT_EQ(exitCode, 2u);

  SetRegistryRoot(L"Tavrel", L"Corvane");
  CRegPreference store;
  EXPECT_EQ(store.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L""), L"c:\\VideoOutput");
  EXPECT_EQ(store.GetInt(L"Settings", L"BaseViewFlags", -1), 4096);
  TByteVector columns;
  ASSERT_TRUE(store.GetBinary(L"Downloaded", L"ColumnsInfo", columns));
  EXPECT_EQ(columns.size(), kColumnsInfoHeaderSize + 3 * kColumnsInfoRecordSize);
  ClearRegistryRoot();
}

// The text of item `index` of the main window's language box, read across
// the process boundary.
std::wstring LanguageBoxItem(testing_driver::CMainWindowDriver& driver, int index) {
  HWND box = driver.Item(1018);
  testing_driver::CRemoteBuffer buffer(driver.ProcessId(), sizeof(COMBOBOXEXITEMW) + 256 * sizeof(wchar_t));
  COMBOBOXEXITEMW item = {};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.cchTextMax = 256;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.Remote()) + sizeof(COMBOBOXEXITEMW));
  buffer.Write(&item, sizeof item);
  if (!SendMessageW(box, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.Remote()))) return L"";
  wchar_t text[256] = {};
  buffer.Read(text, sizeof text - sizeof(wchar_t), sizeof(COMBOBOXEXITEMW));
  return text;
}

// Puts the stored language back as it was, so that later program tests
// find the joiner in the language they expect.
class CStoredLanguageKeeper {
 public:
  explicit CStoredLanguageKeeper(CRegPreference& store)
      : m_store(store), m_old(store.GetString(L"Config", L"Language", kNone)) {}
  ~CStoredLanguageKeeper() {
    m_store.WriteString(L"Config", L"Language", m_old == kNone ? nullptr : m_old.c_str());
    ClearRegistryRoot();
  }

 private:
  static constexpr const wchar_t* kNone = L"\x01none";
  CRegPreference& m_store;
  std::wstring m_old;
};

// Chooses item `index` of the language box as a user does: the selection
// changes and the window hears of it (and has translated itself when this
// returns).
void ChooseLanguage(testing_driver::CMainWindowDriver& driver, int index) {
  HWND box = driver.Item(1018);
  SendMessageW(box, CB_SETCURSEL, index, 0);
  SendMessageW(driver.Window(), WM_COMMAND, MAKEWPARAM(1018, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// The language an item of the box stands for: "<translated name>\t[<name>]".
std::wstring LanguageOfItem(const std::wstring& item) {
  const size_t open = item.rfind(L"\t["), close = item.rfind(L']');
  return open == std::wstring::npos || close < open ? L"" : item.substr(open + 2, close - open - 2);
}

// Where the texts of the main window are, each with what it shows: the
// title, every control's text and own caption (image buttons, links), the
// file list's column titles and the language box's items. The box's
// chosen text and the list's rows are the user's data.
using TShownTexts = std::map<std::string, std::wstring>;

TShownTexts ShownTexts(testing_driver::CMainWindowDriver& driver) {
  using namespace testing_driver;
  TShownTexts texts{{"title", TextOf(driver.Window())}};
  int n = 0;
  for (HWND child = GetWindow(driver.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++n) {
    const std::wstring cls = ClassOf(child);
    if (cls == L"ComboBoxEx32") continue;
    const std::string where = "control #" + std::to_string(n) + " " + WideToUtf8(cls) + " " +
                              std::to_string(GetDlgCtrlID(child));
    texts[where] = TextOf(child);
    texts[where + " caption"] = driver.OwnCaption(child);
  }
  for (int i = 0; i < driver.ColumnCount(); ++i) texts["column " + std::to_string(i)] = driver.ColumnTitle(i);
  const int items = static_cast<int>(SendMessageW(driver.Item(1018), CB_GETCOUNT, 0, 0));
  for (int i = 0; i < items; ++i) texts["language item " + std::to_string(i)] = LanguageBoxItem(driver, i);
  return texts;
}

// What an English text shown by the window reads in `pack`: its key's text
// there; a text English does not have stays as it is. The two sides of a
// tab (menu texts, the box's items) are looked up on their own.
std::wstring InPack(const TLanguageTable& englishTextToKey, const TLanguageTable& pack, const std::wstring& text) {
  const size_t tab = text.find(L'\t');
  if (tab != std::wstring::npos) {
    return InPack(englishTextToKey, pack, text.substr(0, tab)) + L'\t' +
           InPack(englishTextToKey, pack, text.substr(tab + 1));
  }
  const auto key = englishTextToKey.find(text);
  if (key == englishTextToKey.end()) return text;
  const auto translated = pack.find(key->second);
  return translated == pack.end() || translated->second.empty() ? text : translated->second;
}

size_t InstalledPackCount(const std::wstring& folder) {
  size_t count = 0;
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((folder + L"*.lng").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do ++count;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

// Switches the running joiner through every language in its box, English
// first, and compares each text the window shows with the pack's. Leaves
// the window in the last language of the box.
void ExpectEveryPackTranslatesTheWindow(testing_driver::CMainWindowDriver& driver) {
  using namespace testing_driver;
  const std::wstring folder = BuildTreePath("app/language") + L"\\";
  TLanguageTable englishTextToKey;
  ASSERT_TRUE(ReadLanguageStringsInverted(LanguagePackPath(folder, L"English"), englishTextToKey));
  const int items = static_cast<int>(SendMessageW(driver.Item(1018), CB_GETCOUNT, 0, 0));
  ASSERT_EQ(static_cast<size_t>(items), InstalledPackCount(folder)) << "the box lists every installed pack";

  ChooseLanguage(driver, 0);
  ASSERT_EQ(LanguageOfItem(LanguageBoxItem(driver, 0)), L"English");
  const TShownTexts english = ShownTexts(driver);
  ASSERT_EQ(TextOf(driver.Item(1035)), L"&Join...") << "the window did not come back to English";

  for (int index = 1; index < items; ++index) {
    const std::wstring language = LanguageOfItem(LanguageBoxItem(driver, index));
    SCOPED_TRACE(WideToUtf8(language));
    TLanguageTable pack;
    ASSERT_TRUE(ReadLanguageStrings(LanguagePackPath(folder, language), pack));
    ChooseLanguage(driver, index);
    EXPECT_EQ(SendMessageW(driver.Item(1018), CB_GETCURSEL, 0, 0), index);
    const TShownTexts shown = ShownTexts(driver);
    int translated = 0;
    for (const auto& [where, englishText] : english) {
      const auto now = shown.find(where);
      ASSERT_NE(now, shown.end()) << where << " is gone";
      EXPECT_EQ(WideToUtf8(now->second), WideToUtf8(InPack(englishTextToKey, pack, englishText)))
          << where << ", in English " << WideToUtf8(englishText);
      EXPECT_EQ(now->second.empty(), englishText.empty()) << where;
      translated += now->second != englishText;
    }
    // Most texts of the window differ in every language but English.
    EXPECT_GE(translated, 15) << "the window hardly changed";
    if (language == L"Japanese") {  // an artefact: does the window's font show the script?
      SetForegroundWindow(driver.Window());
      std::this_thread::sleep_for(500ms);
      const std::wstring artefacts = BuildTreePath("test-artefacts");
      CreateDirectoryW(artefacts.c_str(), nullptr);
      EXPECT_TRUE(SaveWindowBitmap(driver.Window(), artefacts + L"\\main-window-Japanese.bmp"));
    }
  }
}

TEST(ProgramSettings, LauncherLanguageShowsTheWindowInItEveryPackSwitchesItAndTheLastChoiceStays) {
  using namespace testing_driver;
  ASSERT_TRUE(fs::exists(kProgram)) << "Corvane.exe was not built";
  ASSERT_TRUE(FileExists(BuildTreePath("app/language/German.lng"))) << "the build put no language packs beside Corvane.exe";
  SetRegistryRoot(L"Tavrel", L"Corvane");
  CRegPreference store;
  const CStoredLanguageKeeper keeper(store);
  ASSERT_TRUE(store.WriteString(L"Config", L"Language", L"English"));  // the user's own choice so far

  CMainWindowDriver driver;
  ASSERT_TRUE(driver.Start(L"\"{#CurLangName#:#German#}\""));
  EXPECT_TRUE(WaitFor([&] { return TextOf(driver.Item(1035)) == L"&Zusammenf\u00fcgen..."; }))
      << "Join button reads " << WideToUtf8(TextOf(driver.Item(1035)));
  const int selected = static_cast<int>(SendMessageW(driver.Item(1018), CB_GETCURSEL, 0, 0));
  EXPECT_NE(LanguageBoxItem(driver, selected).find(L"[German]"), std::wstring::npos)
      << "box shows " << WideToUtf8(LanguageBoxItem(driver, selected));

  ExpectEveryPackTranslatesTheWindow(driver);
  const int last = static_cast<int>(SendMessageW(driver.Item(1018), CB_GETCOUNT, 0, 0)) - 1;
  const std::wstring lastLanguage = LanguageOfItem(LanguageBoxItem(driver, last));
  EXPECT_EQ(driver.Close(), 2);

  EXPECT_EQ(store.GetString(L"Config", L"Language", L""), lastLanguage);
}

}  // namespace
}  // namespace corvane
