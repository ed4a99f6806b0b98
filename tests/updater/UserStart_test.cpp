// Which route the updater takes to start the joiner or a page for the user.
#include "updater/UserStart.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvane;

namespace {

class CRecordingStarter : public IUserStarter {
 public:
  bool elevated = false, shellWorks = true;
  std::vector<std::wstring> direct, throughShell, logged;

  bool IsElevated() override { return elevated; }
  bool StartThroughDesktopShell(const std::wstring& target) override {
    throughShell.push_back(target);
    return shellWorks;
  }
  bool StartDirectly(const std::wstring& target) override {
    direct.push_back(target);
    return true;
  }
  void Log(const std::wstring& text) override { logged.push_back(text); }
};

const std::wstring kJoiner = L"C:\\Program Files\\Corvane\\Corvane.exe";

TEST(StartForUser, NothingIsStartedWithTheUpdatersAdministratorRights) {
  {
    SCOPED_TRACE("not elevated (no UAC, Wine): started directly");
    CRecordingStarter starter;
    EXPECT_TRUE(StartForUser(starter, kJoiner));
    EXPECT_EQ(starter.direct, std::vector<std::wstring>{kJoiner});
    EXPECT_TRUE(starter.throughShell.empty());
  }
  {
    SCOPED_TRACE("elevated: through the desktop shell only");
    CRecordingStarter starter;
    starter.elevated = true;
    EXPECT_TRUE(StartForUser(starter, L"https://dl.example/setup.htm"));
    EXPECT_EQ(starter.throughShell, std::vector<std::wstring>{L"https://dl.example/setup.htm"});
    EXPECT_TRUE(starter.direct.empty());
    EXPECT_TRUE(starter.logged.empty());
  }
  {
    SCOPED_TRACE("elevated and the shell fails: nothing started, the log says what");
    CRecordingStarter starter;
    starter.elevated = true;
    starter.shellWorks = false;
    EXPECT_FALSE(StartForUser(starter, kJoiner));
    EXPECT_TRUE(starter.direct.empty());
    ASSERT_EQ(starter.logged.size(), 1u);
    EXPECT_NE(starter.logged[0].find(kJoiner), std::wstring::npos);
  }
}

}  // namespace
