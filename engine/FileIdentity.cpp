#include "engine/FileIdentity.h"

namespace corvane {

std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates) {
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (IsSameFile(file, candidates[i])) return i;
  }
  return std::nullopt;
}

}  // namespace corvane
