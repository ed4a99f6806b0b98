#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "base/AppCommonPath.h"
#include "base/TextConvert.h"
#include "base/WinModule.h"

using namespace corvane;

namespace {

bool IsFolder(const std::wstring& path) {
  struct stat info {};
  return ::stat(WideToUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Each test gets a fresh per-user folder several levels below a new temporary
// folder, so "created with all missing parents" is really exercised.
class AppCommonPathPosix : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/corvane-paths-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    m_root = pattern;
    ::setenv("CORVANE_USER_DIR", (m_root + "/deep/er/Corvane(tavrel)").c_str(), 1);
    DestroyRegisteredSingletons();  // forget any instance another test made
  }
  void TearDown() override {
    DestroyRegisteredSingletons();
    ::unsetenv("CORVANE_USER_DIR");
    std::system(("rm -rf '" + m_root + "'").c_str());
  }
  std::string m_root;
};

TEST_F(AppCommonPathPosix, FirstUseCreatesUserFolderWithConfigAndAppdata) {
  const CAppCommonPath& paths = CAppCommonPath::Instance();
  const std::wstring user = Utf8ToWide(m_root + "/deep/er/Corvane(tavrel)/");
  EXPECT_EQ(paths.UserDataFolder(), user);
  EXPECT_TRUE(IsFolder(user + L"config"));
  EXPECT_TRUE(IsFolder(user + L"appdata"));
}

TEST_F(AppCommonPathPosix, PathKinds) {
  CAppCommonPath& paths = CAppCommonPath::Instance();
  const std::wstring program = CWinModule::Instance().Folder();
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(paths.ProgramFolder(), program);
  EXPECT_EQ(paths.ProgramFolder().back(), L'/');
  EXPECT_EQ(paths.PathOfKind(0), paths.UserDataFolder() + L"config/");
  EXPECT_EQ(paths.PathOfKind(-1), program + L"config/");
  EXPECT_EQ(paths.PathOfKind(2), program + L"config/defaults/");
  paths.SetCurrentLanguageName(L"Deutsch");
  EXPECT_EQ(paths.PathOfKind(1), program + L"config/Deutsch/");
  for (int other : {3, -2, 100})
    EXPECT_EQ(paths.PathOfKind(other), L"") << other;
}

TEST_F(AppCommonPathPosix, DefaultUserFolderIsUnderConfigHome) {
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string previous = saved ? saved : "";
  ::unsetenv("CORVANE_USER_DIR");
  ::setenv("XDG_CONFIG_HOME", m_root.c_str(), 1);
  EXPECT_EQ(UserDataFolderPath(), Utf8ToWide(m_root + "/Corvane(tavrel)/"));
  if (saved)
    ::setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
