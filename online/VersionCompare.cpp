#include "online/VersionCompare.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace corvane {
namespace {

// Parts above this many digits are not read (they would not fit 64 bits).
constexpr size_t kMaxPartDigits = 18;

std::optional<std::vector<unsigned long long>> ParseVersion(const std::wstring& text) {
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == L'v' || text[pos] == L'V')) ++pos;
  if (pos == text.size()) return std::nullopt;
  std::vector<unsigned long long> parts;
  while (true) {
    const size_t start = pos;
    unsigned long long value = 0;
    while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
      value = value * 10 + static_cast<unsigned>(text[pos] - L'0');
      ++pos;
    }
    if (pos == start || pos - start > kMaxPartDigits) return std::nullopt;
    parts.push_back(value);
    if (pos == text.size()) return parts;
    if (text[pos] != L'.') return std::nullopt;
    ++pos;
  }
}

}  // namespace

bool IsVersionText(const std::wstring& text) { return ParseVersion(text).has_value(); }

int CompareVersions(const std::wstring& a, const std::wstring& b) {
  const auto left = ParseVersion(a);
  const auto right = ParseVersion(b);
  if (!left || !right) return 0;
  const size_t count = std::max(left->size(), right->size());
  for (size_t i = 0; i < count; ++i) {
    const unsigned long long x = i < left->size() ? (*left)[i] : 0;
    const unsigned long long y = i < right->size() ? (*right)[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

}  // namespace corvane
