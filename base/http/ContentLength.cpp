#include "base/http/ContentLength.h"

#include <limits>

namespace Zorpa {

bool ParseContentLength(std::wstring_view text, uint64_t& length) {
  if (text.empty()) return false;
  uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - L'0');
    if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) return false;
    value = value * 10 + digit;
  }
  length = value;
  return true;
}

}  // namespace Zorpa
