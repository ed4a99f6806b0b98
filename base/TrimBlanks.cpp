#include "base/TrimBlanks.h"

namespace corvane {

std::wstring TrimBlanks(const std::wstring& text) {
  constexpr wchar_t kBlanks[] = L" \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace corvane
