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

}  // namespace
