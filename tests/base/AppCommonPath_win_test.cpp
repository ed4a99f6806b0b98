#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "base/AppCommonPath.h"
#include "base/WinModule.h"

using namespace corvane;

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(AppCommonPathWindows, UserFolderUnderApplicationDataIsCreated) {
  DestroyRegisteredSingletons();
  wchar_t appData[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)));
  const std::wstring user = std::wstring(appData) + L"\\Corvane(tavrel)\\";
  const CAppCommonPath& paths = CAppCommonPath::Instance();
  EXPECT_EQ(paths.UserDataFolder(), user);
  EXPECT_TRUE(IsFolder(user + L"config"));
  EXPECT_TRUE(IsFolder(user + L"appdata"));
  DestroyRegisteredSingletons();
}

TEST(AppCommonPathWindows, ProgramFolderAndPathKinds) {
  DestroyRegisteredSingletons();
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder = exe;
  folder.erase(folder.find_last_of(L'\\') + 1);
  CAppCommonPath& paths = CAppCommonPath::Instance();
  EXPECT_EQ(paths.ProgramFolder(), folder);
  EXPECT_EQ(paths.PathOfKind(-1), folder + L"config\\");
  EXPECT_EQ(paths.PathOfKind(2), folder + L"config\\defaults\\");
  paths.SetCurrentLanguageName(L"English");
  EXPECT_EQ(paths.PathOfKind(1), folder + L"config\\English\\");
  EXPECT_EQ(paths.PathOfKind(0), paths.UserDataFolder() + L"config\\");
  EXPECT_EQ(paths.PathOfKind(7), L"");
  DestroyRegisteredSingletons();
}

}  // namespace
