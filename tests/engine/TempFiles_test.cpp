#include "engine/TempFiles.h"

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/FsPath.h"
#include "engine/PathParts.h"

namespace corvane {
namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring base = GetTempFolder();
    ASSERT_FALSE(base.empty());
    m_folder = MakeUniqueTempName(base, L"");
    ASSERT_FALSE(m_folder.empty());
    std::filesystem::create_directory(ToFsPath(m_folder));
    m_folder += base.back();
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
  EXPECT_EQ(1u, CountFiles()) << "only the folder; the name's reservation file is gone";
  Write(folder + L"stats.log", "x");
  EXPECT_TRUE(RemoveFolderTree(folder));
  EXPECT_EQ(0u, CountFiles());
}

}  // namespace
}  // namespace corvane
