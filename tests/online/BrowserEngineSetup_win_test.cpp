// The page engine's settings for this process: the document mode is written
// under the running program's own file name, and navigation is silent.
#include "online/BrowserEngineSetup.h"

#include <windows.h>
#include <urlmon.h>

#include <gtest/gtest.h>

#include <string>

#include "base/WinModule.h"

namespace corvane {
namespace {

constexpr wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::wstring RunningFileName() {
  const std::wstring full = ModuleFilePath();
  return full.substr(full.find_last_of(L"\\/") + 1);
}

TEST(BrowserEngineSetup, DocumentModeForTheRunningFileAndNoNavigationSound) {
  const std::wstring name = RunningFileName();
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kEmulationKey, name.c_str());
  ASSERT_NE(CoInternetIsFeatureEnabled(FEATURE_DISABLE_NAVIGATION_SOUNDS, GET_FEATURE_FROM_PROCESS), S_OK)
      << "navigation is silent already: the check below would prove nothing";

  PrepareBrowserEngine();

  DWORD mode = 0, size = sizeof mode;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, kEmulationKey, name.c_str(), RRF_RT_REG_DWORD, nullptr, &mode, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(mode, 11001u);
  EXPECT_EQ(CoInternetIsFeatureEnabled(FEATURE_DISABLE_NAVIGATION_SOUNDS, GET_FEATURE_FROM_PROCESS), S_OK);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kEmulationKey, name.c_str());
}

}  // namespace
}  // namespace corvane
