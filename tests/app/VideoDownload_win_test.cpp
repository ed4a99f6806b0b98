// Video Download (2023) pressed on the real main window: the installed
// downloader is found through its elevation-policy entry (in either
// registry view) before its products' "ProgLocation", and started through
// the shell with its path whole; without one the download page opens. A
// stand-in program records what was started.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "tests/RegistryText_win.h"

#include <fstream>
#include <sstream>
#include <string>

#include "base/TextConvert.h"
#include "engine/TempFiles.h"
#include "tests/app/MainWindowDriver.h"

namespace corvane {
namespace {

const wchar_t kProductKey[] = L"Software\\Tavrel\\CorvaneDownloader";
const wchar_t kPolicyKey[] =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\{5C1F2E7A-3B44-4C1E-9D2A-6E0B7A11C302}";
const wchar_t kWebHandlerKey[] = L"https\\shell\\open\\command";  // under HKEY_CLASSES_ROOT

using test::DeleteRegistryTree;
using test::GetRegistryText;
using test::SetRegistryText;

// The program a recorded command line started: its first argument.
std::wstring ProgramOf(const std::string& commandLine) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(Utf8ToWide(commandLine).c_str(), &count);
  const std::wstring program = arguments && count > 0 ? arguments[0] : L"(nothing recorded)";
  LocalFree(arguments);
  return program;
}

class VideoDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(BuildTreePath("app/Corvane.exe"))) << "Corvane.exe not built";
    m_recorder = BuildTreePath("tests/launch_recorder.exe");
    ASSERT_TRUE(FileExists(m_recorder));
    m_folder = MakeUniqueTempName(GetTempFolder(), L"dl");
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    m_record = m_folder + L"\\launches.txt";
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", m_record.c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"CORVANE_LAUNCH_RECORD", nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) DeleteRegistryTree(HKEY_LOCAL_MACHINE, kPolicyKey, view);
    if (!m_webHandler.empty()) SetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr, m_webHandler);
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }
  // Presses Video Download and returns the first launch recorded.
  std::string PressAndReadLaunch() {
    CMainWindowDriver app;
    if (!app.Start()) return "(the program did not start)";
    app.Command(2023);
    std::string line;
    WaitFor([&] {
      std::ifstream in(m_record.c_str());
      return static_cast<bool>(std::getline(in, line)) && !line.empty();
    });
    EXPECT_EQ(app.Close(), 2);
    return line;
  }
  std::wstring m_recorder, m_folder, m_record;
  std::wstring m_webHandler;  // the prefix's own web handler, put back afterwards
};

TEST_F(VideoDownload, StartsTheDownloaderNamedByAProductKey) {
  // Stored in quotes, as some installers write it: the shell gets the file.
  SetRegistryText(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\Settings", L"ProgLocation",
                  L"\"" + m_recorder + L"\"");
  EXPECT_EQ(ProgramOf(PressAndReadLaunch()), m_recorder);
}

// A 32-bit downloader registers in the 32-bit view of the machine's keys,
// which a 64-bit program does not see unless it asks for it.
TEST_F(VideoDownload, ElevationPolicyEntryInThe32BitViewComesBeforeProductKeys) {
  // A copy in a folder whose name holds a space: the path must arrive whole.
  const std::wstring folder = m_folder + L"\\Tavrel Downloader";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(m_recorder.c_str(), (folder + L"\\downloader.exe").c_str(), FALSE));
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, L"AppPath", folder, KEY_WOW64_32KEY);
  SetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, L"AppName", L"downloader.exe", KEY_WOW64_32KEY);
  ASSERT_EQ(GetRegistryText(HKEY_LOCAL_MACHINE, kPolicyKey, L"AppPath", KEY_WOW64_64KEY), L"")
      << "this system shows the 32-bit view's entry in the 64-bit view too";
  SetRegistryText(HKEY_CURRENT_USER, std::wstring(kProductKey) + L"\\Settings", L"ProgLocation", m_recorder);
  EXPECT_EQ(ProgramOf(PressAndReadLaunch()), folder + L"\\downloader.exe");
}

TEST_F(VideoDownload, WithoutADownloaderOpensTheDownloadPage) {
  // The user's web browser, as far as this prefix knows, is the recorder.
  m_webHandler = GetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr);
  ASSERT_FALSE(m_webHandler.empty());
  SetRegistryText(HKEY_CLASSES_ROOT, kWebHandlerKey, nullptr, L"\"" + m_recorder + L"\" \"%1\"");
  const std::string launch = PressAndReadLaunch();
  EXPECT_NE(launch.find("soft.php?type=flv"), std::string::npos) << launch;
}

}  // namespace
}  // namespace corvane
