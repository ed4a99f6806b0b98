#include "engine/TempFiles.h"

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "engine/PathParts.h"

namespace corvane {
namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring base = GetTempFolder();
    ASSERT_FALSE(base.empty());
    m_folder = CreateUniqueFolder(base, std::random_device{}() % 0xFFFF + 1);
    ASSERT_FALSE(m_folder.empty());
  }
  void TearDown() override { RemoveFolderTree(m_folder); }

  size_t CountFiles() const {
    const auto it = std::filesystem::directory_iterator(ToFsPath(m_folder));
    return static_cast<size_t>(std::distance(begin(it), end(it)));
  }
  void Write(const std::wstring& path, const std::string& bytes) {
    std::ofstream(ToFsPath(path), std::ios::binary) << bytes;
  }
  std::string Read(const std::wstring& path) {
    std::ifstream in(ToFsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::wstring m_folder;
};

TEST_F(TempFilesTest, UniqueTempFilesAreNewEmptyAndDistinct) {
  const std::wstring a = CreateUniqueTempFile(m_folder, L"TFR");
  const std::wstring b = CreateUniqueTempFile(m_folder, L"TFR");
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(m_folder, FolderOf(a));
  EXPECT_EQ(0u, TitleOf(a).find(L"TFR"));
  std::wstring extension = ExtensionOf(a);  // Windows writes ".TMP"
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  EXPECT_EQ(L".tmp", extension);
  EXPECT_EQ(0u, std::filesystem::file_size(ToFsPath(a)));
}

TEST_F(TempFilesTest, UniqueNameTakesTheNewExtensionAndLeavesNoFile) {
  const std::wstring name = MakeUniqueTempName(m_folder, L".mkv");
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(L".mkv", ExtensionOf(name));
  EXPECT_EQ(m_folder, FolderOf(name));
  EXPECT_EQ(0u, CountFiles());
}

TEST_F(TempFilesTest, WrittenContentReplacesTheEmptyFile) {
  const std::wstring list = CreateUniqueTempFile(m_folder, L"TFR");
  ASSERT_TRUE(WriteTempFileContent(list, "file 'a'\n\r"));
  EXPECT_EQ("file 'a'\n\r", Read(list));
  EXPECT_TRUE(RemoveFile(list));
  EXPECT_TRUE(RemoveFile(list)) << "a file that is already gone counts as removed";
}

TEST_F(TempFilesTest, X264WorkingFolderIsANewFolderBesideTheOutput) {
  const std::wstring folder = MakeX264WorkingFolder(m_folder + L"out.mp4");
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(std::filesystem::is_directory(ToFsPath(folder)));
  EXPECT_EQ(m_folder, FolderOf(folder.substr(0, folder.size() - 1)));
  EXPECT_EQ(1u, CountFiles()) << "only the folder";
  Write(folder + L"ffmpeg2pass-0.log", "x");
  EXPECT_TRUE(RemoveX264WorkingFolder(folder));
  EXPECT_EQ(0u, CountFiles());
}

// The user's own folders (and a file) under the very names the working
// folder would get: each is passed over, never taken, and outlives the job
// with everything in it, even files named like the job's statistics.
TEST_F(TempFilesTest, UniqueFolderPassesOverEveryNameThatExists) {
  const std::wstring userFile = m_folder + L"2026";
  Write(userFile, "the user's file");
  std::vector<std::wstring> userFolders;
  for (const wchar_t* name : {L"2024", L"2025", L"2027", L"FFFF"}) {
    userFolders.push_back(m_folder + name + std::wstring(1, m_folder.back()));
    ASSERT_TRUE(std::filesystem::create_directories(ToFsPath(userFolders.back() + L"holiday")));
    Write(userFolders.back() + L"ffmpeg2pass-0.log", "the user's log");
    Write(userFolders.back() + L"holiday" + m_folder.back() + L"clip.mp4", "the user's clip");
  }

  const std::wstring first = CreateUniqueFolder(m_folder, 0x2024);
  EXPECT_EQ(m_folder + L"2028" + m_folder.back(), first);
  const std::wstring wrapped = CreateUniqueFolder(m_folder, 0xFFFF);
  EXPECT_EQ(m_folder + L"1" + m_folder.back(), wrapped) << "after FFFF the names start again at 1";
  EXPECT_EQ(m_folder + L"2" + m_folder.back(), CreateUniqueFolder(m_folder, 1)) << "1 is now taken as well";
  for (const std::wstring& made : {first, wrapped, m_folder + L"2" + m_folder.back()}) {
    EXPECT_TRUE(RemoveX264WorkingFolder(made)) << WideToUtf8(made);
  }

  EXPECT_EQ("the user's file", Read(userFile));
  for (const std::wstring& folder : userFolders) {
    EXPECT_EQ("the user's log", Read(folder + L"ffmpeg2pass-0.log")) << WideToUtf8(folder);
    EXPECT_EQ("the user's clip", Read(folder + L"holiday" + m_folder.back() + L"clip.mp4")) << WideToUtf8(folder);
  }
  EXPECT_EQ(userFolders.size() + 1, CountFiles()) << "nothing of the job's is left";
  EXPECT_TRUE(CreateUniqueFolder(m_folder + L"missing" + m_folder.back(), 1).empty())
      << "a parent that cannot take a folder fails at once";
}

// Clean-up takes only what the two passes write; whatever else ended up in
// the folder stays, and so does the folder then.
TEST_F(TempFilesTest, WorkingFolderCleanUpRemovesOnlyTheStatistics) {
  const std::wstring folder = CreateUniqueFolder(m_folder, 0xA1);
  ASSERT_FALSE(folder.empty());
  const std::vector<std::wstring> statistics = {L"ffmpeg2pass-0.log", L"ffmpeg2pass-0.log.mbtree",
                                                L"ffmpeg2pass-0.log.temp", L"ffmpeg2pass-0.log.mbtree.temp",
                                                L"ffmpeg2pass-1.log"};
  for (const std::wstring& name : statistics) Write(folder + name, "stats");
  const std::vector<std::wstring> others = {L"clip.mp4", L"ffmpeg2pass-0.log.bak", L"my ffmpeg2pass-0.log"};
  for (const std::wstring& name : others) Write(folder + name, "keep");
  ASSERT_TRUE(std::filesystem::create_directory(ToFsPath(folder + L"ffmpeg2pass-2.log")));
  Write(folder + L"ffmpeg2pass-2.log" + m_folder.back() + L"inside", "keep");

  EXPECT_FALSE(RemoveX264WorkingFolder(folder)) << "the folder is not empty";
  for (const std::wstring& name : statistics) {
    EXPECT_FALSE(std::filesystem::exists(ToFsPath(folder + name))) << WideToUtf8(name);
  }
  for (const std::wstring& name : others) EXPECT_EQ("keep", Read(folder + name)) << WideToUtf8(name);
  EXPECT_EQ("keep", Read(folder + L"ffmpeg2pass-2.log" + m_folder.back() + L"inside"));
}

}  // namespace
}  // namespace corvane
