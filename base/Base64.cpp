#include "base/Base64.h"

#include <cstdint>

namespace corvane {
namespace {

constexpr int kNotInAlphabet = -1;

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return kNotInAlphabet;
}

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  const size_t digits = text.size() - padding;
  std::string bytes;
  bytes.reserve(digits * 3 / 4);
  uint32_t bits = 0;
  int bitCount = 0;
  for (size_t i = 0; i < digits; ++i) {
    const int sextet = SextetOf(text[i]);
    if (sextet == kNotInAlphabet) return std::nullopt;
    bits = (bits << 6) | static_cast<uint32_t>(sextet);
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      bytes += static_cast<char>((bits >> bitCount) & 0xFF);
    }
  }
  // Text that encodes the same bytes in more than one way is not canonical.
  if ((bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
  return bytes;
}

}  // namespace corvane
