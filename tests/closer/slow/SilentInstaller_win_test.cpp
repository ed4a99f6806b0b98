// Slow: the 64-bit installer and its uninstaller, run silently (/S) while
// Corvane runs. Each closes the running joiner through Quenby.dll first
// (4.1 s each), then installs or removes exactly the program's files.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "closer/harness/QuenbyHarness_win.h"
#include "engine/ProbeMedia.h"
#include "engine/VideoPropertyInfo.h"
#include "tests/LaunchDataText.h"

using namespace corvane::test;

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tavrel Corvane";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool UninstallKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The installed files the build listed, as Windows paths below the folder.
std::vector<std::wstring> ListedFiles() {
  std::vector<std::wstring> files;
  std::ifstream list(std::string(CORVANE_BUILD_DIR) + "/installer/CorvaneSetup-amd64.exe.files.txt");
  std::string line;
  while (std::getline(list, line)) {
    if (line.empty()) continue;
    std::wstring path;
    for (char c : line) path += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
    files.push_back(path);
  }
  return files;
}

std::wstring StartMenuFolder() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
  return std::wstring(programs) + L"\\Corvane";
}

// Runs a program to its end (up to the limit) and gives its exit code.
long RunToEnd(const std::wstring& commandLine, DWORD limitMs) {
  CProcess process;
  if (!process.Start(commandLine)) return -2;
  return process.ExitCode(limitMs);
}

TEST(SilentInstaller, ClosesCorvaneInstallsAndTheUninstallerClosesAndRemovesOnlyItsFiles) {
  const std::wstring folder = L"C:\\corvane-setup-test-" + std::to_wstring(GetCurrentProcessId());
  const auto files = ListedFiles();
  ASSERT_GE(files.size(), 3u);

  // Install while a Corvane runs from the build tree.
  CProcess running;
  ASSERT_TRUE(running.Start(L"\"" + BuildTreePath("app/Corvane.exe") + L"\""));
  ASSERT_NE(running.WaitForMainWindow(), nullptr);
  const std::wstring setup = L"\"" + BuildTreePath("installer/CorvaneSetup-amd64.exe") + L"\" /S /D=" + folder;
  ASSERT_EQ(RunToEnd(setup, /*limitMs=*/120000), 0);
  EXPECT_EQ(running.ExitCode(/*limitMs=*/0), 2) << "setup closes the running joiner";

  for (const auto& file : files) EXPECT_TRUE(Exists(folder + L"\\" + file)) << std::string(file.begin(), file.end());
  EXPECT_TRUE(Exists(folder + L"\\Uninstall.exe"));
  EXPECT_TRUE(Exists(StartMenuFolder() + L"\\Corvane.lnk"));
  EXPECT_TRUE(Exists(StartMenuFolder() + L"\\Uninstall Corvane.lnk"));
  EXPECT_TRUE(UninstallKeyExists());

  // The user keeps a file of their own in the program folder.
  const std::wstring ownFile = folder + L"\\my notes.txt";
  HANDLE own = CreateFileW(ownFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(own, INVALID_HANDLE_VALUE);
  CloseHandle(own);

  // Uninstall while the installed copy runs. The uninstaller hands over to
  // a copy of itself in the temporary folder and returns at once; the
  // uninstall key is the last thing it removes.
  CProcess installed;
  ASSERT_TRUE(installed.Start(L"\"" + folder + L"\\Corvane.exe\""));
  ASSERT_NE(installed.WaitForMainWindow(), nullptr);
  ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\Uninstall.exe\" /S", /*limitMs=*/30000), 0);
  const auto until = Clock::now() + std::chrono::seconds(60);
  while (UninstallKeyExists() && Clock::now() < until) Sleep(100);
  ASSERT_FALSE(UninstallKeyExists()) << "the uninstaller did not finish";
  EXPECT_EQ(installed.ExitCode(/*limitMs=*/0), 2) << "the uninstaller closes the running joiner";

  for (const auto& file : files) EXPECT_FALSE(Exists(folder + L"\\" + file)) << std::string(file.begin(), file.end());
  EXPECT_FALSE(Exists(folder + L"\\language"));
  EXPECT_FALSE(Exists(StartMenuFolder()));
  EXPECT_TRUE(Exists(ownFile)) << "a file the user put there is not the uninstaller's to remove";

  DeleteFileW(ownFile.c_str());
  DeleteFileW((folder + L"\\Uninstall.exe").c_str());
  RemoveDirectoryW(folder.c_str());
}

// What a user downloads, installed silently and then used: the installed
// joiner, started with launch data, joins two clips through the installed
// ffmpeg.exe (the real Windows program, not the tests' bridge).
TEST(SilentInstaller, InstalledJoinerJoinsTwoClipsThroughTheInstalledFfmpeg) {
  const std::wstring folder = L"C:\\corvane-installed-join-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring setup = L"\"" + BuildTreePath("installer/CorvaneSetup-amd64.exe") + L"\" /S /D=" + folder;
  ASSERT_EQ(RunToEnd(setup, /*limitMs=*/120000), 0);
  const std::wstring installedTool = folder + L"\\ffmpeg.exe";
  ASSERT_TRUE(Exists(installedTool));

  const std::wstring clips = folder + L"-clips \u00e9\u65e5";
  ASSERT_TRUE(CreateDirectoryW(clips.c_str(), nullptr));
  std::vector<std::wstring> inputs;
  for (const wchar_t* name : {L"\\one \u00e9.mp4", L"\\two \u65e5.mp4"}) {
    inputs.push_back(clips + name);
    ASSERT_EQ(RunToEnd(L"\"" + BuildTreePath("app/ffmpeg.exe") +
                           L"\" -f lavfi -i testsrc=size=160x120:rate=25:duration=2 -f lavfi -i sine=duration=2"
                           L" -c:v libx264 -pix_fmt yuv420p -c:a aac -y \"" + inputs.back() + L"\"",
                       /*limitMs=*/60000),
              0);
  }
  const std::wstring output = clips + L"\\joined \u00e9.mp4";
  const std::wstring launchData = L"{#VideoClipsPath#:[" + corvane::LaunchDataText(inputs[0]) + L"," + corvane::LaunchDataText(inputs[1]) +
                                  L"],#OutputPath#:" + corvane::LaunchDataText(output) + L"}";
  EXPECT_EQ(RunToEnd(L"\"" + folder + L"\\Corvane.exe\" \"" + launchData + L"\"", /*limitMs=*/120000), 2);

  corvane::SVideoPropertyInfo joined;
  EXPECT_TRUE(corvane::RunProbe(installedTool, output, joined));
  EXPECT_NE(std::wstring::npos, joined.videoCodec.find(L"h264"));
  EXPECT_NEAR(4, joined.DurationSeconds().value_or(-1), 0.3);

  EXPECT_EQ(RunToEnd(L"\"" + folder + L"\\Uninstall.exe\" /S", /*limitMs=*/30000), 0);
  for (const std::wstring& file : {inputs[0], inputs[1], output}) DeleteFileW(file.c_str());
  RemoveDirectoryW(clips.c_str());
  const auto until = Clock::now() + std::chrono::seconds(30);
  while (Exists(installedTool) && Clock::now() < until) Sleep(100);
  DeleteFileW((folder + L"\\Uninstall.exe").c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
