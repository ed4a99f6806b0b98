// The file list's row texts and list operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FileListRows.h"

namespace corvane {
namespace {

TEST(FileListRows, ColumnsShowOrderNameAndFolder) {
  const std::wstring path = L"C:\\Videos\\Trip\\day one.flv";
  EXPECT_EQ(FileListRowText(path, 0, kColumnOrder), L"1");
  EXPECT_EQ(FileListRowText(path, 11, kColumnOrder), L"12");
  EXPECT_EQ(FileListRowText(path, 0, kColumnFileName), L"day one.flv");
  EXPECT_EQ(FileListRowText(path, 0, kColumnFilePath), L"C:\\Videos\\Trip\\");
  EXPECT_EQ(FileListRowText(path, 0, 3), L"");
}

TEST(FileListRows, LongTextsAreCutAndAmpersandsDoubled) {
  const std::wstring name70(66, L'n');  // + ".flv" = 70 characters
  const std::wstring shown = FileListRowText(L"C:\\v\\" + name70 + L".flv", 0, kColumnFileName);
  EXPECT_EQ(shown, std::wstring(61, L'n') + L"...");

  const std::wstring name64 = std::wstring(60, L'x') + L".flv";  // exactly 64: kept whole
  EXPECT_EQ(FileListRowText(L"C:\\v\\" + name64, 0, kColumnFileName), name64);

  EXPECT_EQ(FileListRowText(L"C:\\Tom & Jerry\\a&b.mp4", 0, kColumnFileName), L"a&&b.mp4");
  EXPECT_EQ(FileListRowText(L"C:\\Tom & Jerry\\a&b.mp4", 0, kColumnFilePath), L"C:\\Tom && Jerry\\");
  // The cut comes first: an "&" at the cut's edge is doubled after cutting.
  const std::wstring amp = std::wstring(60, L'a') + L"&bcdefgh.flv";
  EXPECT_EQ(FileListRowText(L"C:\\" + amp, 0, kColumnFileName), std::wstring(60, L'a') + L"&&...");
}

TEST(FileListRows, SelectedOrFirst) {
  EXPECT_EQ(SelectedOrFirst(std::nullopt, 0), std::nullopt);
  EXPECT_EQ(SelectedOrFirst(std::nullopt, 3), 0u);
  EXPECT_EQ(SelectedOrFirst(size_t{2}, 3), 2u);
  EXPECT_EQ(SelectedOrFirst(size_t{5}, 3), 0u);  // a stale selection is not trusted
}

class FileListOps : public ::testing::Test {
 protected:
  std::vector<std::wstring> files{L"a", L"b", L"c"};
};

TEST_F(FileListOps, MoveUpAndDownSwapWithTheNeighbour) {
  EXPECT_EQ(MoveEntryUp(files, 2), 1u);
  EXPECT_EQ(files, (std::vector<std::wstring>{L"a", L"c", L"b"}));
  EXPECT_EQ(MoveEntryDown(files, 0), 1u);
  EXPECT_EQ(files, (std::vector<std::wstring>{L"c", L"a", L"b"}));
}

TEST_F(FileListOps, MovesPastTheEndsChangeNothing) {
  EXPECT_EQ(MoveEntryUp(files, 0), std::nullopt);
  EXPECT_EQ(MoveEntryDown(files, 2), std::nullopt);
  EXPECT_EQ(MoveEntryDown(files, 7), std::nullopt);
  EXPECT_EQ(MoveEntryUp(files, 7), std::nullopt);
  EXPECT_EQ(files, (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(FileListOps, RemoveTakesOneEntry) {
  EXPECT_TRUE(RemoveEntry(files, 1));
  EXPECT_EQ(files, (std::vector<std::wstring>{L"a", L"c"}));
  EXPECT_FALSE(RemoveEntry(files, 2));
  EXPECT_EQ(files.size(), 2u);
}

}  // namespace
}  // namespace corvane
