#include <cerrno>

#include "base/F3DErrorMap.h"

namespace corvane {
namespace {

struct SErrnoCause {
  int error;
  int32_t cause;
};

// errno values read in the sense of the Windows table: what the user would
// have been told for the corresponding Windows failure.
const SErrnoCause kErrnoCauses[] = {
    {0, 0},
    {ENOENT, 2}, {ENXIO, 2}, {ENODEV, 2},
    {ENOTDIR, 3}, {ENAMETOOLONG, 3}, {ELOOP, 3}, {EINVAL, 15}, {EXDEV, 3},
    {EMFILE, 4}, {ENFILE, 4},
    {EACCES, 5}, {EPERM, 5}, {EROFS, 5}, {EISDIR, 5}, {EEXIST, 5}, {ETXTBSY, 5},
    {EBADF, 6},
    {EBUSY, 7},
    {ESPIPE, 9}, {EOVERFLOW, 9},
    {EIO, 10}, {EINTR, 10},
    {EAGAIN, 12}, {EDEADLK, 12}, {ENOLCK, 12},
    {ENOSPC, 13}, {EDQUOT, 13}, {EFBIG, 13},
};

}  // namespace

int32_t FileCauseFromErrno(int error) {
  for (const SErrnoCause& entry : kErrnoCauses) {
    if (entry.error == error) return entry.cause;
  }
  return 1;
}

}  // namespace corvane
