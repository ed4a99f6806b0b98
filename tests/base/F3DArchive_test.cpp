#include "base/F3DArchive.h"

#include <gtest/gtest.h>

#include "base/F3DMemFile.h"

using namespace corvane;

namespace {

int32_t ArchiveCause(const std::function<void()>& action) {
  try {
    action();
  } catch (const CF3DArchiveException& error) {
    return error.Cause();
  }
  return -1;
}

}  // namespace

TEST(F3DArchive, ValuesWrittenAreReadBackAcrossBufferBoundaries) {
  CF3DMemFile file;
  {
    CF3DArchive out(file, CF3DArchive::store, /*bufferSize=*/16);
    for (uint32_t i = 0; i < 100; ++i) out.WriteUInt32(i * 0x01010101u);
    out.WriteUInt16(0xBEEF);
    out.WriteByte(7);
  }  // the destructor passes the rest on
  EXPECT_EQ(file.GetLength(), 100u * 4 + 3);
  file.SeekToBegin();
  CF3DArchive in(file, CF3DArchive::load, /*bufferSize=*/16);
  for (uint32_t i = 0; i < 100; ++i) ASSERT_EQ(in.ReadUInt32(), i * 0x01010101u);
  EXPECT_EQ(in.ReadUInt16(), 0xBEEF);
  EXPECT_EQ(in.ReadByte(), 7);
}

TEST(F3DArchive, ReadingPastTheEndIsCauseThree) {
  CF3DMemFile file;
  file.Write("abc", 3);
  file.SetFilePath(L"data.bin");
  file.SeekToBegin();
  CF3DArchive in(file, CF3DArchive::load);
  EXPECT_EQ(in.ReadUInt16(), 'a' | 'b' << 8);
  try {
    in.ReadUInt16();
    FAIL() << "read past the end succeeded";
  } catch (const CF3DArchiveException& error) {
    EXPECT_EQ(error.Cause(), CF3DArchiveException::endOfFile);
    EXPECT_STREQ(error.GetErrorMessage(), L"An attempt was made to access data.bin past its end.");
  }
}

TEST(F3DArchive, PlainReadReturnsWhatIsLeftWithoutThrowing) {
  CF3DMemFile file;
  file.Write("hello", 5);
  file.SeekToBegin();
  CF3DArchive in(file, CF3DArchive::load, 16);
  char buffer[64];
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 5u);
  EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
}

TEST(F3DArchive, ExactReadLargerThanTheBuffer) {
  CF3DMemFile file;
  std::string data(1000, 'q');
  file.Write(data.data(), 1000);
  file.SeekToBegin();
  CF3DArchive in(file, CF3DArchive::load, 16);
  std::string back(1000, '\0');
  in.ReadExact(back.data(), 1000);
  EXPECT_EQ(back, data);
}

TEST(F3DArchive, UsingTheWrongDirectionIsReported) {
  CF3DMemFile file;
  CF3DArchive in(file, CF3DArchive::load);
  CF3DArchive out(file, CF3DArchive::store);
  EXPECT_EQ(ArchiveCause([&] { in.WriteByte(1); }), CF3DArchiveException::readOnly);
  EXPECT_EQ(ArchiveCause([&] { out.ReadByte(); }), CF3DArchiveException::writeOnly);
}
