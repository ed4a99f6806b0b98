// The joiner's start of the updater: through the shell (the route that
// raises the elevation prompt), with a record the updater's own reader gets
// back whole; a declined prompt opens nothing, any other failure the
// installer page. The real start runs the launch recorder in the updater's
// place with the shell's own ShellExecuteExW.
#include "online/VersionCheckFlow.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/TextConvert.h"
#include "tests/BuildTree_win.h"
#include "updater/UpdaterData.h"

namespace corvane {
namespace {

SNewVersionData OfferedUpdate() {
  SNewVersionData data;
  data.currentVersion = L"v2.2";
  data.latestVersion = L"v9.9";
  data.downloadUrl = L"https://dl.example/p.zip?a=1&b=\"2\"";
  data.installerUrl = L"https://dl.example/setup.exe";
  return data;
}

// What the version file said of the package.
SVersionInfo Package(const wchar_t* sha256, const wchar_t* signature = L"MEUCIQ==") {
  SVersionInfo info;
  info.sha256 = sha256;
  info.signature = signature;
  return info;
}

const SProgramIdentity kIdentity{L"Tavrel Video", L"UWM_JoinDownload_IsMe"};

struct SHandOffRecorder {
  std::vector<std::wstring> programs, parameters, pages;
  DWORD startResult = 0;

  SHandOffActions Actions() {
    SHandOffActions actions;
    actions.startProgram = [this](const std::wstring& program, const std::wstring& given) {
      programs.push_back(program);
      parameters.push_back(given);
      return startResult;
    };
    actions.openInstallerPage = [this](const std::wstring& url) { pages.push_back(url); };
    return actions;
  }
};

TEST(HandOffToUpdater, StartsTheUpdaterThroughTheShellAndADeclinedPromptIsNotNow) {
  {
    SCOPED_TRACE("started: updater.exe beside the program, no page");
    SHandOffRecorder recorder;
    HandOffToUpdater(OfferedUpdate(), Package(L"00ff"), kIdentity, recorder.Actions());
    ASSERT_EQ(recorder.programs.size(), 1u);
    const std::wstring& program = recorder.programs[0];
    EXPECT_EQ(program.substr(program.size() - 12), L"\\updater.exe");
    EXPECT_TRUE(recorder.pages.empty());
  }
  {
    SCOPED_TRACE("the user declined the elevation prompt: nothing opens");
    SHandOffRecorder recorder;
    recorder.startResult = ERROR_CANCELLED;
    HandOffToUpdater(OfferedUpdate(), Package(L""), kIdentity, recorder.Actions());
    EXPECT_EQ(recorder.programs.size(), 1u);
    EXPECT_TRUE(recorder.pages.empty());
  }
  constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED, which mingw's headers lack
  for (DWORD failure : {DWORD(ERROR_FILE_NOT_FOUND), kElevationRequired, DWORD(ERROR_ACCESS_DENIED)}) {
    SCOPED_TRACE("cannot start (" + std::to_string(failure) + "): the installer page instead");
    SHandOffRecorder recorder;
    recorder.startResult = failure;
    HandOffToUpdater(OfferedUpdate(), Package(L""), kIdentity, recorder.Actions());
    EXPECT_EQ(recorder.pages, std::vector<std::wstring>{L"https://dl.example/setup.exe"});
  }
}

TEST(HandOffToUpdater, TheShellStartsTheProgramWithTheRecordTheUpdaterReads) {
  const std::wstring recorderProgram = BuildTreePath("tests/launch_recorder.exe");
  ASSERT_TRUE(FileExists(recorderProgram));
  wchar_t temp[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring launches = std::wstring(temp) + L"corvane-handoff-launches.txt";
  DeleteFileW(launches.c_str());
  SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", launches.c_str());

  // The system's own start, aimed at the recorder in the updater's place.
  const SHandOffActions system = SystemHandOffActions(/*owner=*/nullptr);
  SHandOffActions actions;
  DWORD started = ERROR_GEN_FAILURE;
  actions.startProgram = [&](const std::wstring&, const std::wstring& parameters) {
    return started = system.startProgram(recorderProgram, parameters);
  };
  std::vector<std::wstring> pages;
  actions.openInstallerPage = [&](const std::wstring& url) { pages.push_back(url); };
  HandOffToUpdater(OfferedUpdate(), Package(L"00ff"), kIdentity, actions);
  ASSERT_EQ(started, 0u);
  EXPECT_TRUE(pages.empty());

  // SEE_MASK_NOASYNC returns once the process exists, not once it has written.
  std::string line;
  for (int i = 0; i < 100 && line.empty(); ++i) {
    std::ifstream in(WideToUtf8(launches).c_str());
    std::getline(in, line);
    if (line.empty()) Sleep(100);
  }
  DeleteFileW(launches.c_str());
  ASSERT_FALSE(line.empty()) << "the recorder was not started";
  SUpdaterRecord record;
  ASSERT_TRUE(ParseUpdaterRecord(CommandLineArgument(Utf8ToWide(line)), record)) << line;
  EXPECT_EQ(record.downloadUrl, L"https://dl.example/p.zip?a=1&b=\"2\"");
  EXPECT_EQ(record.installerUrl, L"https://dl.example/setup.exe");
  EXPECT_EQ(record.appMainWndClassName, L"Tavrel Video");
  EXPECT_EQ(record.appUserMsg, L"UWM_JoinDownload_IsMe");
  EXPECT_EQ(record.latestVersion, L"v9.9");
  EXPECT_EQ(record.packageSha256, L"00ff");
  EXPECT_EQ(record.packageSignature, L"MEUCIQ==");
  EXPECT_FALSE(record.tempFilePath.empty());
}

}  // namespace
}  // namespace corvane
