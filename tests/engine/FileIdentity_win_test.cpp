// File identity on Windows: the names a user can give one file (short 8.3
// names, other letter case, "\\?\" forms, hard links) lead to that file, and
// the join refuses such a name as its output before anything is written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/FileIdentity.h"
#include "engine/JoinController.h"
#include "engine/JoinStepsImpl.h"

using namespace corvane;

namespace {

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

std::string Bytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The short 8.3 name of path, or empty when the file system gives none.
std::wstring ShortName(const std::wstring& path) {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  const std::wstring name(buffer, length);
  return name == path ? std::wstring() : name;
}

class FileIdentityWin : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    m_folder = std::wstring(temp) + L"corvane identity " + std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_input = m_folder + L"My holiday clip number one.mp4";
    m_other = m_folder + L"My holiday clip number two.mp4";
    std::ofstream(std::filesystem::path(m_input), std::ios::binary) << std::string(5000, 'a');
    std::ofstream(std::filesystem::path(m_other), std::ios::binary) << std::string(5000, 'b');
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
  }

  std::wstring m_folder, m_input, m_other;
};

// A job host that records only what this test looks at.
struct SRecordingHost : IJoinHost {
  std::vector<std::wstring> messages;
  std::vector<EJobOutcome> outcomes;
  void PostCommand(int) override {}
  void StartQueueTimer() override {}
  void StopTimers() override {}
  void SetProgress(int) override {}
  void ShowMessage(const SUserMessage& message, const std::wstring&) override {
    messages.push_back(FillMessageArgs(message.text, message.args));
  }
  bool AskYesNo(const SUserMessage&, const std::wstring&) override { return false; }
  void RefreshFileList() override {}
  void UpdateButtons() override {}
  void EndProgram() override {}
  bool PromptOutputPath(std::wstring&) override { return false; }
  bool IsFastJoinChecked() override { return true; }
  void ShowResult(const SVideoPropertyInfo&) override {}
  void SendDiagnosticReport(const std::wstring&) override {}
  void SendCompletionNotice() override {}
  void JobEnded(EJobOutcome outcome) override { outcomes.push_back(outcome); }
};

}  // namespace

TEST_F(FileIdentityWin, EveryNameOfAFileLeadsToIt) {
  std::vector<std::wstring> names{Upper(m_input), L"\\\\?\\" + m_input, L"\\\\?\\" + Upper(m_input)};
  const std::wstring shortName = ShortName(m_input);
  if (shortName.empty()) {
    std::printf("note: no short 8.3 name here; other case and \\\\?\\ forms stand in for it\n");
  } else {
    std::printf("short name: %ls\n", shortName.c_str());
    names.push_back(shortName);
  }
  const std::wstring hardLink = m_folder + L"linked.mp4";
  ASSERT_TRUE(CreateHardLinkW(hardLink.c_str(), m_input.c_str(), /*security=*/nullptr));
  names.push_back(hardLink);
  for (const std::wstring& name : names) {
    EXPECT_TRUE(IsSameFile(name, m_input)) << name;
    EXPECT_FALSE(IsSameFile(name, m_other)) << name;
  }
  // A name no file has yet is no input, not even its own twin; nor is a folder.
  const std::wstring missing = m_folder + L"joined.mp4";
  EXPECT_FALSE(IsSameFile(missing, missing));
  EXPECT_FALSE(IsSameFile(m_folder, m_input));
  EXPECT_EQ(FindSameFile(Upper(m_input), {m_other, m_input}), std::optional<size_t>(1));
  EXPECT_EQ(FindSameFile(missing, {m_other, m_input}), std::nullopt);
}

// The window's and the launched job's path: the controller with the real
// steps refuses the output before any tool starts (the check is the job's
// first step, on its worker), and the input is whole.
TEST_F(FileIdentityWin, JoinRefusesAnInputUnderAnotherNameAndWritesNothing) {
  const std::wstring shortName = ShortName(m_input);
  SJoinJob job;
  job.files = {m_other, m_input};
  job.outputPath = shortName.empty() ? L"\\\\?\\" + Upper(m_input) : shortName;
  const std::string before = Bytes(m_input);
  SRecordingHost host;
  CJoinSteps steps;
  CJoinController controller(host, steps, job, m_folder + L"no-such-tool.exe", m_folder);
  controller.OnCommand(kCmdJoin);
  // The check opens the files on the job's worker; the monitor sees it end.
  for (int tick = 0; tick < 500 && controller.IsJobRunning(); ++tick) {
    Sleep(20);
    controller.OnMonitorTimer();
  }
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], L"The output file is one of the files to join: " + m_input);
  EXPECT_EQ(host.outcomes, std::vector<EJobOutcome>{EJobOutcome::kFailed});
  EXPECT_FALSE(controller.HasWorker());
  EXPECT_EQ(job.files.size(), 2u);
  EXPECT_TRUE(Bytes(m_input) == before);
  size_t entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(m_folder))) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 2u);
}
