#include "base/EscapeUrl.h"

namespace corvane {

bool IsUrlEscapedByte(unsigned char b) {
  if (b < 0x20 || b > 0x7E) return true;
  return b == 0x20 || (b >= 0x22 && b <= 0x24) || b == 0x26 || b == 0x2B || b == 0x2C ||
         (b >= 0x3B && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 || (b >= 0x7B && b <= 0x7D);
}

std::string EscapeUrl(std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (IsUrlEscapedByte(b)) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    } else {
      out += c;
    }
    if (out.size() + 1 > kEscapedUrlCapacity) return {};
  }
  return out;
}

}  // namespace corvane
