#include <cerrno>

#include <gtest/gtest.h>

#include "base/F3DErrorMap.h"

using namespace corvane;

TEST(FileCauseFromErrno, ErrorsMeanWhatTheWindowsCodesMean) {
  const struct {
    int error;
    int32_t cause;
  } table[] = {
      {0, 0},          {ENOENT, 2},  {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {EMFILE, 4}, {ENFILE, 4},
      {EACCES, 5},     {EPERM, 5},   {EROFS, 5},   {EISDIR, 5},       {EBADF, 6},  {EBUSY, 7},
      {ESPIPE, 9},     {EIO, 10},    {EAGAIN, 12}, {ENOSPC, 13},      {EDQUOT, 13}, {EINVAL, 15},
      {EHOSTDOWN, 1},
  };
  for (const auto& row : table) EXPECT_EQ(FileCauseFromErrno(row.error), row.cause) << "errno " << row.error;
}
