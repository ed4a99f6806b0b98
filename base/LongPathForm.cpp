#include "base/LongPathForm.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr size_t kMaxPath = 260;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDotPart(const std::wstring& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::wstring part = path.substr(start, end - start);
    if (part == L"." || part == L"..") return true;
    start = end + 1;
  }
  return false;
}

std::wstring WithBackslashes(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

}  // namespace

std::wstring LongPathForm(const std::wstring& path) {
  if (path.size() < kMaxPath) return path;
  const bool device = path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                      (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3]);
  if (device) return path;
  const bool drive = path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
                     ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
  const bool unc = IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  if ((!drive && !unc) || HasDotPart(path.substr(drive ? 3 : 2))) return path;
  return drive ? L"\\\\?\\" + WithBackslashes(path) : L"\\\\?\\UNC\\" + WithBackslashes(path.substr(2));
}

}  // namespace corvane
