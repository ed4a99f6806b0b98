// CF3DFile against real files in a scratch folder (natively and under Wine).
#include "base/F3DFile.h"

#include <gtest/gtest.h>

#include "base/F3DTestFiles.h"

using namespace corvane;
using corvane::testing::CScratchFolder;
using corvane::testing::ReadWholeFile;
using corvane::testing::WriteWholeFile;

namespace {

constexpr uint32_t kCreateReadWrite = CF3DFile::modeCreate | CF3DFile::modeReadWrite;

class F3DFileTest : public ::testing::Test {
 protected:
  CScratchFolder folder;
};

}  // namespace

TEST_F(F3DFileTest, OpeningAMissingFileFillsTheRecordWithCauseTwoAndThePath) {
  const std::wstring path = folder.PathOf(L"missing.ini");
  CF3DFile file;
  CF3DFileException error;
  EXPECT_FALSE(file.Open(path, CF3DFile::modeRead, &error));
  EXPECT_EQ(error.Cause(), CF3DFileException::fileNotFound);
  EXPECT_EQ(error.FileName(), path);
  EXPECT_EQ(std::wstring(error.GetErrorMessage()), path + L" was not found.");
  EXPECT_EQ(file.GetFilePath(), path);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(F3DFileTest, OpeningInAMissingFolderIsABadPathOrNotFound) {
  CF3DFile file;
  CF3DFileException error;
  EXPECT_FALSE(file.Open(folder.PathOf(L"no folder/x.txt"), CF3DFile::modeRead, &error));
  // Windows reports a missing folder as a path error, POSIX as "not found".
  EXPECT_TRUE(error.Cause() == CF3DFileException::badPath || error.Cause() == CF3DFileException::fileNotFound)
      << error.Cause();
}

TEST_F(F3DFileTest, AnInvalidAccessValueIsAnInvalidParameter) {
  CF3DFile file;
  CF3DFileException error;
  EXPECT_FALSE(file.Open(folder.PathOf(L"a.bin"), CF3DFile::modeCreate | 3, &error));
  EXPECT_EQ(error.Cause(), CF3DFileException::invalidParameter);
}

TEST_F(F3DFileTest, OpeningAFolderAsAFileIsRefused) {
  CF3DFile file;
  CF3DFileException error;
  EXPECT_FALSE(file.Open(folder.Folder().wstring(), CF3DFile::modeRead, &error));
  EXPECT_EQ(error.Cause(), CF3DFileException::accessDenied);
}

TEST_F(F3DFileTest, WriteSeekReadRoundTrip) {
  const std::wstring path = folder.PathOf(L"round trip.bin");
  CF3DFile file;
  ASSERT_TRUE(file.Open(path, kCreateReadWrite));
  file.Write("0123456789", 10);
  EXPECT_EQ(file.GetPosition(), 10u);
  EXPECT_EQ(file.GetLength(), 10u);
  EXPECT_EQ(file.GetPosition(), 10u);  // GetLength leaves the position alone
  EXPECT_EQ(file.Seek(-4, CF3DFile::end), 6);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u);
  EXPECT_EQ(std::string(buffer, 4), "6789");
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(file.Seek(2, CF3DFile::begin), 2);
  EXPECT_EQ(file.Seek(3, CF3DFile::current), 5);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadWholeFile(path), "0123456789");
}

TEST_F(F3DFileTest, CreateTruncatesUnlessNoTruncateIsGiven) {
  const std::wstring path = folder.PathOf(L"keep.txt");
  WriteWholeFile(path, "existing");
  {
    CF3DFile file;
    ASSERT_TRUE(file.Open(path, CF3DFile::modeCreate | CF3DFile::modeNoTruncate | CF3DFile::modeReadWrite));
    EXPECT_EQ(file.GetLength(), 8u);
  }
  EXPECT_EQ(ReadWholeFile(path), "existing");
  {
    CF3DFile file;
    ASSERT_TRUE(file.Open(path, CF3DFile::modeCreate | CF3DFile::modeWrite));
    EXPECT_EQ(file.GetLength(), 0u);
  }
  EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(F3DFileTest, SetLengthCutsAndExtends) {
  const std::wstring path = folder.PathOf(L"length.bin");
  CF3DFile file;
  ASSERT_TRUE(file.Open(path, kCreateReadWrite));
  file.Write("abcdef", 6);
  file.SetLength(3);
  EXPECT_EQ(file.GetLength(), 3u);
  file.SetLength(5);
  EXPECT_EQ(file.GetLength(), 5u);
  file.Close();
  EXPECT_EQ(ReadWholeFile(path), std::string("abc\0\0", 5));
}

TEST_F(F3DFileTest, WritingToAReadOnlyHandleThrowsWithThePath) {
  const std::wstring path = folder.PathOf(L"read only.txt");
  WriteWholeFile(path, "x");
  CF3DFile file;
  ASSERT_TRUE(file.Open(path, CF3DFile::modeRead));
  try {
    file.Write("y", 1);
    FAIL() << "write on a read handle succeeded";
  } catch (const CF3DFileException& error) {
    EXPECT_EQ(error.FileName(), path);
    EXPECT_NE(error.Cause(), CF3DFileException::none);
  }
}

TEST_F(F3DFileTest, SeekBeforeTheStartThrowsCauseNine) {
  CF3DFile file;
  ASSERT_TRUE(file.Open(folder.PathOf(L"seek.bin"), kCreateReadWrite));
  try {
    file.Seek(-1, CF3DFile::begin);
    FAIL() << "seek to -1 succeeded";
  } catch (const CF3DFileException& error) {
    EXPECT_EQ(error.Cause(), CF3DFileException::badSeek);
  }
  EXPECT_THROW(file.Seek(0, 7), CF3DFileException);
}

TEST_F(F3DFileTest, DuplicateSharesTheFileButNotTheHandle) {
  const std::wstring path = folder.PathOf(L"dup.bin");
  CF3DFile file;
  ASSERT_TRUE(file.Open(path, kCreateReadWrite));
  file.Write("abc", 3);
  std::unique_ptr<CF3DFile> copy = file.Duplicate();
  EXPECT_NE(copy->Handle(), file.Handle());
  EXPECT_EQ(copy->GetFilePath(), path);
  file.Close();
  // The copy still works after the original is closed.
  copy->Write("d", 1);
  copy->Close();
  EXPECT_EQ(ReadWholeFile(path), "abcd");
}

TEST_F(F3DFileTest, NameAndTitleComeFromTheStoredPath) {
  CF3DFile file;
  file.SetFilePath(folder.PathOf(L"clip.part1.mp4"));
  EXPECT_EQ(file.GetFileName(), L"clip.part1.mp4");
  EXPECT_EQ(file.GetFileTitle(), L"clip.part1");
  EXPECT_EQ(file.GetBufferPtr(), nullptr);
}

TEST_F(F3DFileTest, OperationsOnAClosedFileThrowAndAbortDoesNot) {
  CF3DFile file;
  file.SetFilePath(L"closed.bin");
  char buffer[4];
  EXPECT_THROW(file.Read(buffer, 4), CF3DFileException);
  EXPECT_THROW(file.Write("a", 1), CF3DFileException);
  EXPECT_THROW(file.GetLength(), CF3DFileException);
  EXPECT_NO_THROW(file.Abort());
  EXPECT_NO_THROW(file.Close());
}

TEST_F(F3DFileTest, StatusReportsSizeAndTimes) {
  const std::wstring path = folder.PathOf(L"status.bin");
  CF3DFile file;
  ASSERT_TRUE(file.Open(path, kCreateReadWrite));
  file.Write("12345", 5);
  SF3DFileStatus status;
  ASSERT_TRUE(file.GetStatus(status));
  EXPECT_EQ(status.path, path);
  EXPECT_EQ(status.size, 5u);
  const int64_t now = CF3DDateTime::Now().FileTime();
  const int64_t day = 864000000000LL;
  EXPECT_NEAR(static_cast<double>(status.lastWrite.FileTime()), static_cast<double>(now), static_cast<double>(day));
  EXPECT_NE(status.created.FileTime(), 0);
  EXPECT_NE(status.lastAccess.FileTime(), 0);
}
