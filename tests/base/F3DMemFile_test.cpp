#include "base/F3DMemFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace corvane;

namespace {

std::vector<uint8_t> Bytes(size_t count, uint8_t value) { return std::vector<uint8_t>(count, value); }

int32_t SeekCause(CF3DMemFile& file, int64_t offset, int origin) {
  try {
    file.Seek(offset, origin);
  } catch (const CF3DFileException& error) {
    EXPECT_EQ(error.FileName(), L"");
    return error.Cause();
  }
  return -1;
}

}  // namespace

TEST(F3DMemFile, GrowsInWholeStepsOfGrowBy) {
  CF3DMemFile file(1024);
  file.Write(Bytes(1000, 1).data(), 1000);
  EXPECT_EQ(file.BufferSize(), 1024u);
  file.Write(Bytes(100, 2).data(), 100);
  EXPECT_EQ(file.BufferSize(), 2048u);
  EXPECT_EQ(file.GetLength(), 1100u);
  EXPECT_EQ(file.GetPosition(), 1100u);
  // A jump of several steps at once still lands on a multiple.
  file.Write(Bytes(5000, 3).data(), 5000);
  EXPECT_EQ(file.BufferSize(), 2048u + 4 * 1024u);
}

TEST(F3DMemFile, ReadsBackWhatWasWrittenAndStopsAtTheDataSize) {
  CF3DMemFile file(16);
  file.Write("hello world", 11);
  file.SeekToBegin();
  char buffer[32] = {};
  EXPECT_EQ(file.Read(buffer, 5), 5u);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_EQ(file.Read(buffer, 32), 6u);
  EXPECT_EQ(std::string(buffer, 6), " world");
  EXPECT_EQ(file.Read(buffer, 32), 0u);
  EXPECT_EQ(file.Read(buffer, 0), 0u);
}

TEST(F3DMemFile, SeekBeforeTheStartIsCauseNineWithoutAFileName) {
  CF3DMemFile file;
  file.Write("abc", 3);
  EXPECT_EQ(SeekCause(file, -1, CF3DFile::begin), CF3DFileException::badSeek);
  EXPECT_EQ(SeekCause(file, -4, CF3DFile::current), CF3DFileException::badSeek);
  EXPECT_EQ(SeekCause(file, -4, CF3DFile::end), CF3DFileException::badSeek);
  // A failed seek leaves the position alone.
  EXPECT_EQ(file.GetPosition(), 3u);
}

TEST(F3DMemFile, SeekOriginsAndAnUnknownOrigin) {
  CF3DMemFile file;
  file.Write("0123456789", 10);
  EXPECT_EQ(file.Seek(2, CF3DFile::begin), 2);
  EXPECT_EQ(file.Seek(3, CF3DFile::current), 5);
  EXPECT_EQ(file.Seek(-1, CF3DFile::end), 9);
  EXPECT_EQ(file.Seek(0, 3), -1);
  EXPECT_EQ(file.GetPosition(), 9u);
}

TEST(F3DMemFile, WriteAfterSeekingBeyondTheEndFillsTheGapWithZeros) {
  CF3DMemFile file(8);
  file.Write("ab", 2);
  file.Seek(6, CF3DFile::begin);
  file.Write("z", 1);
  ASSERT_EQ(file.GetLength(), 7u);
  EXPECT_EQ(std::memcmp(file.GetBufferPtr(), "ab\0\0\0\0z", 7), 0);
}

TEST(F3DMemFile, SetLengthGrowsShrinksAndPullsThePositionBack) {
  CF3DMemFile file(10);
  file.Write("abcdef", 6);
  file.SetLength(25);
  EXPECT_EQ(file.GetLength(), 25u);
  EXPECT_EQ(file.BufferSize(), 30u);
  EXPECT_EQ(file.GetBufferPtr()[20], 0);
  EXPECT_EQ(file.GetPosition(), 6u);
  file.SetLength(4);
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_EQ(file.GetPosition(), 4u);
}

TEST(F3DMemFile, ZeroGrowByCannotGrow) {
  CF3DMemFile file(0);
  EXPECT_THROW(file.Write("x", 1), CF3DMemoryException);
  EXPECT_THROW(file.SetLength(1), CF3DMemoryException);
}

TEST(F3DMemFile, AttachedBufferWithoutGrowByIsAFixedBlockToRead) {
  uint8_t block[4] = {'w', 'x', 'y', 'z'};
  CF3DMemFile file(block, sizeof block, 0);
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_FALSE(file.OwnsBuffer());
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 8), 4u);
  EXPECT_EQ(std::string(buffer, 4), "wxyz");
  // Overwriting inside the block works; growing beyond it does not.
  file.Seek(0, CF3DFile::begin);
  file.Write("W", 1);
  EXPECT_EQ(block[0], 'W');
  file.Seek(0, CF3DFile::end);
  EXPECT_THROW(file.Write("!", 1), CF3DMemoryException);
}

TEST(F3DMemFile, AttachedBufferWithGrowByStartsEmptyAndMovesOutWhenItGrows) {
  uint8_t block[4] = {9, 9, 9, 9};
  CF3DMemFile file(block, sizeof block, 8);
  EXPECT_EQ(file.GetLength(), 0u);
  file.Write("ab", 2);
  EXPECT_EQ(file.GetBufferPtr(), block);
  file.Write("cdef", 4);
  // The caller's memory keeps what was written before the move and is not freed.
  EXPECT_NE(file.GetBufferPtr(), block);
  EXPECT_TRUE(file.OwnsBuffer());
  EXPECT_EQ(file.BufferSize(), 12u);
  EXPECT_EQ(std::memcmp(file.GetBufferPtr(), "abcdef", 6), 0);
  EXPECT_EQ(block[0], 'a');
  EXPECT_EQ(block[3], 9);
}

TEST(F3DMemFile, UnsupportedOperationsSayso) {
  CF3DMemFile file;
  EXPECT_THROW(file.Duplicate(), CF3DNotSupportedException);
  EXPECT_THROW(file.LockRange(0, 1), CF3DNotSupportedException);
  EXPECT_THROW(file.UnlockRange(0, 1), CF3DNotSupportedException);
}

TEST(F3DMemFile, CloseEmptiesTheFile) {
  CF3DMemFile file;
  file.Write("abc", 3);
  file.Close();
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_EQ(file.GetBufferPtr(), nullptr);
  file.Write("d", 1);
  EXPECT_EQ(file.GetLength(), 1u);
}
