// The elevated updater's log in the user's folder, with links planted
// there by the user's own programs: a second name (hard link) of another
// file, a symbolic link at the log's name, the log's folder or one above it
// a link to another folder. The file behind any of them is never written or
// emptied. (Where the system makes no symbolic links, as Wine 8, the
// end-to-end test plants links through the host's file system.)
#include "updater/UpdaterLog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace corvane {
namespace {

std::string ReadText(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary) << text;
}

class UpdaterLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    root = std::wstring(temp) + L"corvane-log-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    user = root + L"user\\";
    logs = user + L"Logs\\";
    victim = root + L"victim.txt";
    ASSERT_TRUE(std::filesystem::create_directories(logs));
    WriteText(victim, kVictim);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);  // links are removed, not followed
  }
  // One run of the updater's log: started, one line, finished.
  void LogOnce(const std::wstring& line) {
    CF3DLogHTML log;
    StartUpdaterLog(log, user);
    log.Log(kLogWarn, line);
    log.Finish();
  }

  static constexpr char kVictim[] = "a file the user may not write\n";
  std::wstring root, user, logs, victim;
};

TEST_F(UpdaterLogTest, PlainFileIsWrittenAndASecondNameOfAnotherFileIsNot) {
  {
    SCOPED_TRACE("a plain folder: the log is written, an earlier one emptied first");
    WriteText(logs + L"V3ILog.htm", std::string(100000, 'x'));
    LogOnce(L"first run");
    const std::string text = ReadText(logs + L"V3ILog.htm");
    EXPECT_NE(text.find("first run"), std::string::npos);
    EXPECT_EQ(text.find('x'), std::string::npos);
    EXPECT_LT(text.size(), 5000u);
  }
  {
    SCOPED_TRACE("a second name of another file at the log's name");
    ASSERT_TRUE(DeleteFileW((logs + L"V3ILog.htm").c_str()));
    ASSERT_TRUE(CreateHardLinkW((logs + L"V3ILog.htm").c_str(), victim.c_str(), nullptr)) << GetLastError();
    LogOnce(L"through a hard link");
    EXPECT_EQ(ReadText(victim), kVictim);
  }
}

TEST_F(UpdaterLogTest, SymbolicLinksAtTheNameOrOnTheWayAreNotFollowed) {
  {
    SCOPED_TRACE("a symbolic link at the log's name");
    // Wine 8 answers CreateSymbolicLinkW with success and makes nothing;
    // the end-to-end test plants the system's own links there instead.
    if (!CreateSymbolicLinkW((logs + L"V3ILog.htm").c_str(), victim.c_str(), 0) ||
        GetFileAttributesW((logs + L"V3ILog.htm").c_str()) == INVALID_FILE_ATTRIBUTES) {
      GTEST_SKIP() << "this system makes no symbolic link (updater_e2e.py plants them under Wine)";
    }
    ASSERT_EQ(ReadText(logs + L"V3ILog.htm"), kVictim);  // the link leads there
    LogOnce(L"through a file link");
    EXPECT_EQ(ReadText(victim), kVictim);
    EXPECT_EQ(ReadText(logs + L"V3ILog.htm"), kVictim);  // the link is left as it was
  }
  {
    SCOPED_TRACE("the log's folder a link to another folder");
    const std::wstring elsewhere = root + L"elsewhere";
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    std::filesystem::remove_all(logs);
    ASSERT_TRUE(CreateSymbolicLinkW((user + L"Logs").c_str(), elsewhere.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        << GetLastError();
    LogOnce(L"through a folder link");
    EXPECT_EQ(GetFileAttributesW((elsewhere + L"\\V3ILog.htm").c_str()), INVALID_FILE_ATTRIBUTES);
    {
      SCOPED_TRACE("a folder further up a link");
      ASSERT_TRUE(RemoveDirectoryW((user + L"Logs").c_str()) || DeleteFileW((user + L"Logs").c_str()));
      const std::wstring realUser = root + L"real-user";
      ASSERT_TRUE(std::filesystem::create_directories(realUser + L"\\Logs"));
      std::filesystem::remove_all(user);
      ASSERT_TRUE(CreateSymbolicLinkW((root + L"user").c_str(), realUser.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY));
      LogOnce(L"through a link further up");
      EXPECT_EQ(GetFileAttributesW((realUser + L"\\Logs\\V3ILog.htm").c_str()), INVALID_FILE_ATTRIBUTES);
    }
  }
}

}  // namespace
}  // namespace corvane
