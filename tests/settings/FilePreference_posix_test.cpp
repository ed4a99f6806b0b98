// The native store keeps its values in a file across processes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/TextConvert.h"
#include "base/Singleton.h"
#include "settings/ColumnsInfo.h"
#include "settings/ConverterPreference.h"
#include "settings/FilePreference.h"

namespace corvane {
namespace {

class FileStore : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("corvane-settings-" + std::to_string(getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    path = Utf8ToWide((dir / "config" / "settings.ini").string());
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // Runs `body` in a child process and returns its exit status.
  template <class F>
  int InChildProcess(F body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body() ? 0 : 1);
    int status = -1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::filesystem::path dir;
  std::wstring path;
};

TEST_F(FileStore, ValuesWrittenByOneProcessAreReadByTheNext) {
  const TByteVector columns = EncodeColumnsInfo({{0, 120, 1}, {1, 60, 0}, {2, 90, 1}});
  ASSERT_EQ(InChildProcess([&] {
              CFilePreference writer(path);
              return writer.WriteInt(L"Config", L"RunCount", 0) &&
                     writer.WriteString(L"Config", L"SaveTo", L"/home/u/Videos \u00e9") &&
                     writer.WriteInt(L"Settings", L"BaseViewFlags", 4096) &&
                     writer.WriteBinary(L"Downloaded", L"ColumnsInfo", columns);
            }),
            0);
  CFilePreference reader(path);
  EXPECT_EQ(reader.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_EQ(reader.GetString(L"Config", L"SaveTo", L""), L"/home/u/Videos \u00e9");
  EXPECT_EQ(reader.GetInt(L"settings", L"baseviewflags", -1), 4096);
  TByteVector back;
  ASSERT_TRUE(reader.GetBinary(L"Downloaded", L"ColumnsInfo", back));
  EXPECT_EQ(back, columns);
  EXPECT_EQ(back.size(), 31u);
}

TEST_F(FileStore, EachCallSeesChangesMadeByAnotherInstance) {
  CFilePreference first(path), second(path);
  ASSERT_TRUE(first.WriteInt(L"Config", L"RunCount", 5));
  EXPECT_EQ(second.GetInt(L"Config", L"RunCount", 0), 5);
  ASSERT_TRUE(second.WriteString(L"Config", nullptr, nullptr));
  EXPECT_EQ(first.GetInt(L"Config", L"RunCount", -1), -1);
  EXPECT_FALSE(std::filesystem::exists(dir / "config" / "settings.ini.tmp"));
}

TEST_F(FileStore, MissingFileGivesDefaultsAndUnwritableFolderFailsWrites) {
  CFilePreference store(path);
  EXPECT_EQ(store.GetString(L"Config", L"SaveTo", L"c:\\VideoOutput"), L"c:\\VideoOutput");
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "blocker") << "x";  // a file where the folder should be
  CFilePreference blocked(Utf8ToWide((dir / "blocker" / "settings.ini").string()));
  EXPECT_FALSE(blocked.WriteInt(L"Config", L"RunCount", 1));
  EXPECT_EQ(blocked.GetInt(L"Config", L"RunCount", 3), 3);
}

// The process's settings object saves at exit while the store still exists
// (priority 5000 before 80), and the store is the file store made by the
// static registration of type 0.
TEST_F(FileStore, SettingsObjectSavesAtExitBeforeTheStoreGoes) {
  ASSERT_EQ(InChildProcess([&] {
              CPreference* store = GetPreference();
              if (!store || !dynamic_cast<CFilePreference*>(store)) return false;
              store->SetLocation(path.c_str());
              CConverterPreference& prefs = CConverterPreference::Instance();
              prefs.SetOutputFolder(L"/srv/joined");
              prefs.ColumnLayout() = {{0, 10, 1}, {1, 20, 1}, {2, 30, 0}};
              DestroyRegisteredSingletons();
              return GetPreference() == nullptr && !CConverterPreference::IsMade();
            }),
            0);
  CFilePreference reader(path);
  EXPECT_EQ(reader.GetString(L"Config", L"SaveTo", L""), L"/srv/joined");
  EXPECT_EQ(reader.GetInt(L"Config", L"RunCount", -1), 0);
  EXPECT_EQ(reader.GetInt(L"Settings", L"BaseViewFlags", -1), 4096);
  TByteVector columns;
  ASSERT_TRUE(reader.GetBinary(L"Downloaded", L"ColumnsInfo", columns));
  EXPECT_EQ(columns.size(), 31u);
}

}  // namespace
}  // namespace corvane
