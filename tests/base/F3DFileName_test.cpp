#include "base/F3DFileName.h"

#include <gtest/gtest.h>

#include "base/F3DException.h"

using namespace corvane;

TEST(SplitFilePath, PartsOfTypicalPaths) {
  const struct {
    const wchar_t* path;
    const wchar_t* drive;
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* extension;
  } table[] = {
      {L"C:\\Videos\\clip.mp4", L"C:", L"\\Videos\\", L"clip", L".mp4"},
      {L"C:\\a.b\\c", L"C:", L"\\a.b\\", L"c", L""},
      {L"C:\\x\\archive.tar.gz", L"C:", L"\\x\\", L"archive.tar", L".gz"},
      {L"C:\\x\\.hidden", L"C:", L"\\x\\", L"", L".hidden"},
      {L"C:\\folder\\", L"C:", L"\\folder\\", L"", L""},
      {L"C:file.txt", L"C:", L"", L"file", L".txt"},
      {L"/home/u/clip.part1.mkv", L"", L"/home/u/", L"clip.part1", L".mkv"},
      {L"D:/mixed\\seps/f.avi", L"D:", L"/mixed\\seps/", L"f", L".avi"},
      {L"\\\\server\\share\\f.flv", L"", L"\\\\server\\share\\", L"f", L".flv"},
      {L"name", L"", L"", L"name", L""},
  };
  for (const auto& row : table) {
    const SPathParts parts = SplitFilePath(row.path);
    EXPECT_EQ(parts.drive, row.drive) << row.path;
    EXPECT_EQ(parts.folder, row.folder) << row.path;
    EXPECT_EQ(parts.name, row.name) << row.path;
    EXPECT_EQ(parts.extension, row.extension) << row.path;
  }
}

TEST(CF3DFileName, RelativePathBecomesAbsoluteAndSplits) {
  const CF3DFileName name(L"sub/../clip.final.mp4");
  EXPECT_EQ(name.FileName(), L"clip.final.mp4");
  EXPECT_EQ(name.Title(), L"clip.final");
  EXPECT_EQ(name.Extension(), L".mp4");
  const std::wstring folder = name.FolderPath();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == L'\\' || folder.back() == L'/');
  EXPECT_EQ(folder.find(L".."), std::wstring::npos);
  EXPECT_EQ(name.FullPath(), folder + L"clip.final.mp4");
  // Absolute: the same name made absolute again does not change.
  EXPECT_EQ(CF3DFileName(name.FullPath()).FullPath(), name.FullPath());
}

TEST(CF3DFileName, BadNamesThrowBadFilename) {
  const std::wstring tooLong = L"/" + std::wstring(300, L'a');
  for (const std::wstring& path : {std::wstring(), tooLong, std::wstring(L"a\0b", 3)}) {
    try {
      CF3DFileName name(path);
      FAIL() << "accepted a path of " << path.size() << " characters";
    } catch (const CF3DSimpleTextException& error) {
      EXPECT_STREQ(error.GetErrorMessage(), L"Bad filename!");
    }
  }
}

TEST(CF3DFileName, RunningProgramIsFound) {
  const CF3DFileName program = CF3DFileName::FromModule(nullptr);
  EXPECT_EQ(program.Title(), CORVANE_TEST_PROGRAM);
}
