// The byte join on Windows starts no program: a cmd.exe lying in the current
// folder (as one may in an unpacked archive of clips) never runs, and names
// holding the command interpreter's %VARIABLE% marks stay plain names.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "base/WinModule.h"
#include "engine/ByteCopyJoin.h"
#include "engine/TempFiles.h"
#include "engine/ToolRunner.h"

namespace corvane {
namespace {

// A copy of this test program planted as cmd.exe writes its command line to
// the file this variable names, and ends.
constexpr wchar_t kPlantedMarkerVariable[] = L"CORVANE_PLANTED_CMD_MARKER";

[[maybe_unused]] const bool kPlantedCommandInterpreterRole = [] {
  const std::wstring self = ModuleFilePath();
  if (self.size() < 8 || _wcsicmp(self.c_str() + self.size() - 8, L"\\cmd.exe") != 0) return false;
  wchar_t marker[MAX_PATH] = {};
  if (GetEnvironmentVariableW(kPlantedMarkerVariable, marker, MAX_PATH)) {
    std::ofstream(std::filesystem::path(marker), std::ios::app) << WideToUtf8(GetCommandLineW()) << "\n";
  }
  ExitProcess(0);
}();

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(ToFsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(ToFsPath(path), std::ios::binary) << bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The clips' folder with a planted cmd.exe, made the current folder.
class PlantedCommandInterpreter : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = CreateUniqueFolder(GetTempFolder(), std::random_device{}() % 0xFFFF + 1);
    ASSERT_FALSE(m_folder.empty());
    ASSERT_TRUE(CopyFileW(ModuleFilePath().c_str(), (m_folder + L"cmd.exe").c_str(), /*failIfExists=*/TRUE));
    m_marker = m_folder + L"planted cmd ran.txt";
    SetEnvironmentVariableW(kPlantedMarkerVariable, m_marker.c_str());
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    m_previousFolder = previous;
    ASSERT_TRUE(SetCurrentDirectoryW(m_folder.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryW(m_previousFolder.c_str());
    SetEnvironmentVariableW(kPlantedMarkerVariable, nullptr);
    if (!m_folder.empty()) RemoveFolderTree(m_folder);
  }

  std::wstring m_folder, m_marker, m_previousFolder;
};

TEST_F(PlantedCommandInterpreter, NeverRunsAndPercentNamesJoinByteExactly) {
  // The trap works: a command line naming plain "cmd.exe" starts the planted one.
  ASSERT_TRUE(RunTool(L"", L"cmd.exe /c rem", nullptr, nullptr));
  ASSERT_TRUE(Exists(m_marker)) << "the planted cmd.exe did not run: this test could not see it run";
  ASSERT_TRUE(DeleteFileW(m_marker.c_str()));

  const std::string a("%OS%\x1A\r\n", 7), b("\x00%PATH%", 7);
  const std::wstring first = m_folder + L"%OS% trip.xbv", second = m_folder + L"%PATH%.xbv";
  WriteBytes(first, a);
  WriteBytes(second, b);
  const std::wstring joined = m_folder + L"%OS% trip_all.xbv";
  ASSERT_EQ(ECreateNew::kCreated, CreateNewFile(joined));  // reserved, as the join controller does

  ASSERT_TRUE(JoinByteCopy({first, second}, joined, {}));
  EXPECT_EQ(a + b, ReadBytes(joined));
  EXPECT_FALSE(Exists(m_marker)) << ReadBytes(m_marker);
  EXPECT_FALSE(Exists(m_folder + L"Windows_NT trip_all.xbv")) << "a name was expanded as a variable";
}

}  // namespace
}  // namespace corvane
