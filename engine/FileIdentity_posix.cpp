#include "engine/FileIdentity.h"

#include <filesystem>
#include <system_error>

#include "base/FsPath.h"

namespace corvane {

// Follows symbolic links; hard links share their device and inode.
bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  std::error_code error;
  const bool same = std::filesystem::equivalent(ToFsPath(a), ToFsPath(b), error);
  return !error && same;
}

}  // namespace corvane
