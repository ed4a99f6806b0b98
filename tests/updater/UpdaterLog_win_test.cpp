// The elevated updater's log in the user's folder: written there, but never
// through a second name (hard link) of another file the user's own
// programs put at its name. Symbolic links at the log's name and folder are
// planted by updater_e2e.py through the host's file system (Wine 8 answers
// CreateSymbolicLinkW with success and makes nothing).
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
    EXPECT_EQ(text.find(std::string(100, 'x')), std::string::npos);
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

}  // namespace
}  // namespace corvane
