#include "updater/Sha256.h"

namespace corvane {

std::string LowerHex(const unsigned char* bytes, size_t count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(count * 2);
  for (size_t i = 0; i < count; ++i) {
    hex += kDigits[bytes[i] >> 4];
    hex += kDigits[bytes[i] & 0x0F];
  }
  return hex;
}

bool BytesSha256(IPackageBytes& bytes, std::string& hex) {
  Sha256Digest digest{};
  if (!Sha256Of(bytes, digest)) return false;
  hex = LowerHex(digest.data(), digest.size());
  return true;
}

}  // namespace corvane
