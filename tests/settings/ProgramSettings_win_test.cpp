// A fresh user runs the joiner once and closes it normally: the settings it
// keeps must then be in the registry (under Wine, with Corvane.exe built).
// A launcher that names its language gets the joiner in that language, and
// the language stays chosen after the joiner's normal exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "settings/ColumnsInfo.h"
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

TEST(ProgramSettings, LauncherLanguageShowsTheWindowInItAndStaysChosenAfterExit) {
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
  EXPECT_EQ(driver.Close(), 2);

  EXPECT_EQ(store.GetString(L"Config", L"Language", L""), L"German");
}

}  // namespace
}  // namespace corvane
