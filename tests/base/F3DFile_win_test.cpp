// Windows-only behaviour of CF3DFile: share modes and range locks.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/F3DFile.h"
#include "base/F3DTestFiles.h"

using namespace corvane;
using corvane::testing::CScratchFolder;
using corvane::testing::WriteWholeFile;

namespace {

int32_t OpenCause(const std::wstring& path, uint32_t flags) {
  CF3DFile file;
  CF3DFileException error;
  if (file.Open(path, flags, &error)) return CF3DFileException::none;
  EXPECT_EQ(error.FileName(), path);
  return error.Cause();
}

class F3DFileSharing : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.PathOf(L"shared.bin");
    WriteWholeFile(path, "0123456789");
  }
  CScratchFolder folder;
  std::wstring path;
};

TEST_F(F3DFileSharing, ExclusiveOpenMakesEveryOtherOpenASharingViolation) {
  CF3DFile holder;
  ASSERT_TRUE(holder.Open(path, CF3DFile::modeReadWrite | CF3DFile::shareExclusive));
  EXPECT_EQ(OpenCause(path, CF3DFile::modeRead | CF3DFile::shareDenyNone), CF3DFileException::sharingViolation);
  CF3DFile other;
  CF3DFileException error;
  ASSERT_FALSE(other.Open(path, CF3DFile::modeRead, &error));
  EXPECT_EQ(std::wstring(error.GetErrorMessage()), L"A sharing violation occurred while accessing " + path + L".");
}

TEST_F(F3DFileSharing, DenyWriteLetsOthersReadOnly) {
  CF3DFile holder;
  ASSERT_TRUE(holder.Open(path, CF3DFile::modeRead | CF3DFile::shareDenyWrite));
  EXPECT_EQ(OpenCause(path, CF3DFile::modeRead | CF3DFile::shareDenyNone), CF3DFileException::none);
  EXPECT_EQ(OpenCause(path, CF3DFile::modeWrite | CF3DFile::shareDenyNone), CF3DFileException::sharingViolation);
}

TEST_F(F3DFileSharing, DenyReadLetsOthersWriteOnly) {
  CF3DFile holder;
  ASSERT_TRUE(holder.Open(path, CF3DFile::modeWrite | CF3DFile::shareDenyRead));
  EXPECT_EQ(OpenCause(path, CF3DFile::modeWrite | CF3DFile::shareDenyNone), CF3DFileException::none);
  EXPECT_EQ(OpenCause(path, CF3DFile::modeRead | CF3DFile::shareDenyNone), CF3DFileException::sharingViolation);
}

TEST_F(F3DFileSharing, LockedRangeCannotBeLockedTwice) {
  CF3DFile first, second;
  ASSERT_TRUE(first.Open(path, CF3DFile::modeReadWrite | CF3DFile::shareDenyNone));
  ASSERT_TRUE(second.Open(path, CF3DFile::modeReadWrite | CF3DFile::shareDenyNone));
  first.LockRange(2, 4);
  try {
    second.LockRange(3, 1);
    FAIL() << "second lock of a locked range succeeded";
  } catch (const CF3DFileException& error) {
    EXPECT_EQ(error.Cause(), CF3DFileException::lockViolation);
  }
  first.UnlockRange(2, 4);
  EXPECT_NO_THROW(second.LockRange(3, 1));
}

TEST_F(F3DFileSharing, HandleIsInheritableUnlessNoInheritIsGiven) {
  CF3DFile inherited, private_;
  ASSERT_TRUE(inherited.Open(path, CF3DFile::modeRead | CF3DFile::shareDenyNone));
  ASSERT_TRUE(private_.Open(path, CF3DFile::modeRead | CF3DFile::shareDenyNone | CF3DFile::modeNoInherit));
  DWORD flags = 0;
  ASSERT_TRUE(GetHandleInformation(reinterpret_cast<HANDLE>(inherited.Handle()), &flags));
  EXPECT_TRUE(flags & HANDLE_FLAG_INHERIT);
  ASSERT_TRUE(GetHandleInformation(reinterpret_cast<HANDLE>(private_.Handle()), &flags));
  EXPECT_FALSE(flags & HANDLE_FLAG_INHERIT);
}

}  // namespace
