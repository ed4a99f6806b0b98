#include "engine/ByteCopyJoin.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "engine/PathParts.h"

namespace corvane {

bool JoinedSizeMatches(const std::vector<std::wstring>& sources, const std::wstring& joined) {
  std::error_code error;
  uintmax_t expected = 0;
  for (const std::wstring& source : sources) {
    const uintmax_t size = std::filesystem::file_size(ToFsPath(source), error);
    if (error) return false;
    expected += size;
  }
  const uintmax_t actual = std::filesystem::file_size(ToFsPath(joined), error);
  return !error && actual == expected;
}

}  // namespace corvane
