// Native-only behaviour of CF3DFile.
#include <fcntl.h>

#include <gtest/gtest.h>

#include "base/F3DFile.h"

using namespace corvane;

// /dev/full accepts no byte: the same as a disk that has run out of space.
TEST(F3DFilePosix, WritingToAFullDeviceIsDiskFullWithTheStoredPath) {
  CF3DFile file;
  ASSERT_TRUE(file.Open(L"/dev/full", CF3DFile::modeWrite));
  try {
    file.Write("data", 4);
    FAIL() << "write to a full device succeeded";
  } catch (const CF3DFileException& error) {
    EXPECT_EQ(error.Cause(), CF3DFileException::diskFull);
    EXPECT_STREQ(error.GetErrorMessage(), L"Disk full while accessing /dev/full.");
  }
}

TEST(F3DFilePosix, NoInheritMarksTheDescriptorCloseOnExec) {
  CF3DFile inherited, private_;
  ASSERT_TRUE(inherited.Open(L"/dev/null", CF3DFile::modeRead));
  ASSERT_TRUE(private_.Open(L"/dev/null", CF3DFile::modeRead | CF3DFile::modeNoInherit));
  EXPECT_EQ(fcntl(static_cast<int>(inherited.Handle()), F_GETFD) & FD_CLOEXEC, 0);
  EXPECT_NE(fcntl(static_cast<int>(private_.Handle()), F_GETFD) & FD_CLOEXEC, 0);
}
