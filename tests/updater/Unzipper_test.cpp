#include "updater/Unzipper.h"

#include <gtest/gtest.h>

#include "tests/updater/UpdaterTestFiles.h"

#include "ParamName.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "updater/UnzipPaths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <ctime>
#endif

using namespace corvane;
namespace fs = std::filesystem;

namespace {

using updater_test::Fixture;
using updater_test::ReadAll;
using updater_test::WriteAll;

// Last-write time of a file as local calendar fields.
SDosDateTime LocalWriteTime(const fs::path& path) {
  SDosDateTime t;
#ifdef _WIN32
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.wstring().c_str(), GetFileExInfoStandard, &data);
  FILETIME local;
  SYSTEMTIME st;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &st);
  t = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
#else
  struct stat info {};
  stat(path.c_str(), &info);
  std::tm tm{};
  localtime_r(&info.st_mtime, &tm);
  t = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
#endif
  return t;
}

// A fresh work area: <tmp>/unzip-XXXX/prog/ is the folder unpacked into, so
// anything written beside "prog" has escaped it.
class UnzipperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    root = fs::temp_directory_path() / ("corvane-unzip-" + std::to_string(random()));
    fs::create_directories(root / "prog");
    folder = (root / "prog").wstring() + wchar_t(fs::path::preferred_separator);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  bool Extract(const char* archive) { return CUnzipper::ExtractArchive(Fixture(archive).wstring(), folder, false); }

  // Everything under the work area except the program folder.
  std::vector<fs::path> OutsideFiles() const {
    std::vector<fs::path> found;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
      const fs::path relative = fs::relative(item.path(), root);
      if (*relative.begin() != "prog") found.push_back(relative);
    }
    return found;
  }

  fs::path root;
  std::wstring folder;
};

TEST_F(UnzipperTest, CreatesNestedFoldersAndWritesEveryFile) {
  ASSERT_TRUE(Extract("nested.zip"));
  EXPECT_EQ(ReadAll(root / "prog" / "sub" / "dir" / "a.txt"), "hello from a nested folder\n");
  EXPECT_EQ(fs::file_size(root / "prog" / "top.bin"), 50000u);
  EXPECT_TRUE(fs::exists(root / "prog" / "empty.txt"));
  EXPECT_EQ(fs::file_size(root / "prog" / "empty.txt"), 0u);
  // No pending files left behind.
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    EXPECT_NE(item.path().extension(), ".~upd") << item.path();
  }
}

TEST_F(UnzipperTest, LargeEntryArrivesByteForByte) {
  ASSERT_TRUE(Extract("nested.zip"));
  // The same bytes the fixture script made, read back through a second unpack
  // into another folder: both copies must agree, and with the archive's size.
  const std::string first = ReadAll(root / "prog" / "top.bin");
  fs::create_directories(root / "prog" / "again");
  ASSERT_TRUE(CUnzipper::ExtractArchive(Fixture("nested.zip").wstring(), (root / "prog" / "again").wstring(), true));
  EXPECT_EQ(ReadAll(root / "prog" / "again" / "top.bin"), first);
  // Flattened: a.txt sits directly in the folder.
  EXPECT_TRUE(fs::exists(root / "prog" / "again" / "a.txt"));
}

TEST_F(UnzipperTest, SetsTheArchiveTimeStampsAsLocalTime) {
  ASSERT_TRUE(Extract("nested.zip"));
  const SDosDateTime a = LocalWriteTime(root / "prog" / "sub" / "dir" / "a.txt");
  EXPECT_EQ(a.year, 2021);
  EXPECT_EQ(a.month, 3);
  EXPECT_EQ(a.day, 4);
  EXPECT_EQ(a.hour, 5);
  EXPECT_EQ(a.minute, 6);
  EXPECT_EQ(a.second, 8);
  const SDosDateTime top = LocalWriteTime(root / "prog" / "top.bin");
  EXPECT_EQ(top.year, 2019);
  EXPECT_EQ(top.hour, 23);
  EXPECT_EQ(top.second, 58);
}

TEST_F(UnzipperTest, ReplacesExistingFiles) {
  fs::create_directories(root / "prog" / "sub" / "dir");
  WriteAll(root / "prog" / "sub" / "dir" / "a.txt", "old content that is longer than the new one\n");
  ASSERT_TRUE(Extract("nested.zip"));
  EXPECT_EQ(ReadAll(root / "prog" / "sub" / "dir" / "a.txt"), "hello from a nested folder\n");
}

TEST_F(UnzipperTest, EmptyArchiveFails) {
  // Depending on the unzip layer's version an archive without entries is
  // refused at open or has no entries; either way the unpack fails.
  CUnzipper unzipper;
  if (unzipper.OpenArchive(Fixture("empty.zip").wstring())) {
    EXPECT_EQ(unzipper.EntryCount(), 0);
    EXPECT_FALSE(unzipper.ExtractAll(folder, false));
  }
  EXPECT_FALSE(Extract("empty.zip"));
  EXPECT_TRUE(fs::is_empty(root / "prog"));
}

TEST_F(UnzipperTest, NonArchiveDoesNotOpen) {
  CUnzipper unzipper;
  EXPECT_FALSE(unzipper.OpenArchive(Fixture("not_a_zip.zip").wstring()));
  EXPECT_FALSE(unzipper.OpenArchive((root / "missing.zip").wstring()));
  EXPECT_FALSE(unzipper.ExtractAll(folder, false));
}

class UnsafeArchive : public UnzipperTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnsafeArchive, IsRefusedAndWritesNothingOutsideTheFolder) {
  EXPECT_FALSE(Extract(GetParam()));
  EXPECT_TRUE(OutsideFiles().empty());
  EXPECT_FALSE(fs::exists(root / "escape.txt"));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, UnsafeArchive,
                         ::testing::Values("dotdot.zip", "inner_dotdot.zip", "drive.zip", "absolute.zip",
                                           "slash_absolute.zip"),
                         [](const auto& info) {
                           return corvane_test::CaseName(info.index, std::string_view(info.param));
                         });

TEST_F(UnzipperTest, AnUnsafeEntryKeepsTheEntriesBeforeItFromBeingWritten) {
  EXPECT_FALSE(Extract("dotdot.zip"));
  EXPECT_TRUE(fs::is_empty(root / "prog"));
}

TEST_F(UnzipperTest, NameMarkedUtf8IsReadAsUtf8) {
  ASSERT_TRUE(Extract("utf8_name.zip"));
  EXPECT_EQ(ReadAll(root / "prog" / fs::u8path("gr\xc3\xbc\xc3\x9f" "e") / fs::u8path("\xc3\xa9t\xc3\xa9.txt")),
            "utf-8 name\n");
}

TEST_F(UnzipperTest, DamagedEntryFailsAndKeepsTheGoodFile) {
  WriteAll(root / "prog" / "a.txt", "the good old file\n");
  EXPECT_FALSE(Extract("damaged.zip"));
  EXPECT_EQ(ReadAll(root / "prog" / "a.txt"), "the good old file\n");
  EXPECT_FALSE(fs::exists(root / "prog" / "a.txt.~upd"));
}

TEST_F(UnzipperTest, DamagedEntryLeavesNoFileWhereThereWasNone) {
  EXPECT_FALSE(Extract("damaged.zip"));
  EXPECT_FALSE(fs::exists(root / "prog" / "a.txt"));
  EXPECT_TRUE(fs::is_empty(root / "prog"));
}

TEST_F(UnzipperTest, FolderThatIsAFileFails) {
  WriteAll(root / "prog" / "sub", "a file where a folder should be");
  EXPECT_FALSE(Extract("nested.zip"));
  EXPECT_FALSE(CreateFolderPath((root / "prog" / "sub" / "x").wstring()));
}

TEST_F(UnzipperTest, CreateFolderPathMakesEveryMissingLevel) {
  const std::wstring deep = (root / "prog" / "a" / "b" / "c").wstring();
  EXPECT_TRUE(CreateFolderPath(deep));
  EXPECT_TRUE(fs::is_directory(root / "prog" / "a" / "b" / "c"));
  EXPECT_TRUE(CreateFolderPath(deep + wchar_t(fs::path::preferred_separator)));  // trailing separator
  EXPECT_FALSE(CreateFolderPath(L""));
  EXPECT_FALSE(CreateParentFolder(L"nofolder.txt"));
}

TEST_F(UnzipperTest, EntryNavigationAndInformation) {
  CUnzipper unzipper;
  const std::wstring archive = Fixture("nested.zip").wstring();
  ASSERT_TRUE(unzipper.OpenArchive(archive));
  EXPECT_EQ(unzipper.DefaultOutputFolder(), archive.substr(0, archive.size() - 4));
  EXPECT_EQ(unzipper.EntryCount(), 4);
  ASSERT_TRUE(unzipper.FirstEntry());
  SZipEntryInfo info;
  ASSERT_TRUE(unzipper.CurrentEntry(info));
  EXPECT_EQ(info.name, L"sub\\");
  EXPECT_TRUE(info.isFolder);
  ASSERT_TRUE(unzipper.NextEntry());
  ASSERT_TRUE(unzipper.CurrentEntry(info));
  EXPECT_EQ(info.name, L"sub\\dir\\a.txt");
  EXPECT_FALSE(info.isFolder);
  EXPECT_EQ(info.uncompressedSize, 27u);
  ASSERT_TRUE(unzipper.NextEntry());
  ASSERT_TRUE(unzipper.NextEntry());
  EXPECT_FALSE(unzipper.NextEntry());
  unzipper.CloseArchive();
  EXPECT_FALSE(unzipper.IsOpen());
  EXPECT_EQ(unzipper.EntryCount(), 0);
}

}  // namespace
