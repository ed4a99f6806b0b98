#include "engine/FileIdentity.h"

namespace corvane {

std::optional<size_t> FindSameFile(const std::wstring& file, const std::vector<std::wstring>& candidates,
                                   const NameHandler& onOpening) {
  // A name no file has yet (the usual new output) is nobody's twin: no
  // candidate need be opened, and one that does not answer is not waited for.
  if (onOpening) onOpening(file);
  if (!IsSameFile(file, file)) return std::nullopt;
  for (size_t i = 0; i < candidates.size(); ++i) {
    if (onOpening) onOpening(candidates[i]);
    if (IsSameFile(file, candidates[i])) return i;
  }
  return std::nullopt;
}

}  // namespace corvane
