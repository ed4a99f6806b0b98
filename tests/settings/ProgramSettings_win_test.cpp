// A fresh user runs the joiner once and closes it normally: the settings it
// keeps must then be in the registry (under Wine, with Corvane.exe built).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "settings/ColumnsInfo.h"
#include "settings/RegPreference.h"
#include "settings/RegistryRoot.h"

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
  if (!fs::exists(kProgram)) GTEST_SKIP() << "Corvane.exe not built";
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

}  // namespace
}  // namespace corvane
