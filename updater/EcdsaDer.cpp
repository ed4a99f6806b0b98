#include "updater/EcdsaDer.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kInteger = 0x02;
constexpr size_t kCoordinateSize = 32;

unsigned char ByteAt(std::string_view der, size_t pos) { return static_cast<unsigned char>(der[pos]); }

// One INTEGER at `pos` (moved past it) into `out`, right-aligned. Lengths
// stay below 128 here, so only the short length form is DER.
bool ReadCoordinate(std::string_view der, size_t& pos, unsigned char* out) {
  if (der.size() - pos < 2 || ByteAt(der, pos) != kInteger) return false;
  size_t length = ByteAt(der, pos + 1);
  pos += 2;
  if (length == 0 || length > kCoordinateSize + 1 || der.size() - pos < length) return false;
  std::string_view value = der.substr(pos, length);
  pos += length;
  if (ByteAt(value, 0) & 0x80) return false;  // negative
  if (ByteAt(value, 0) == 0) {
    // A leading zero only keeps the next byte's top bit from reading as a sign.
    if (value.size() == 1 || !(ByteAt(value, 1) & 0x80)) return false;
    value.remove_prefix(1);
  }
  if (value.size() > kCoordinateSize) return false;
  unsigned char* end = out + kCoordinateSize;
  std::fill(out, end - value.size(), 0);
  std::copy(value.begin(), value.end(), end - value.size());
  return true;
}

}  // namespace

bool P256SignatureFromDer(std::string_view der, P256Pair& rs) {
  if (der.size() < 2 || ByteAt(der, 0) != kSequence) return false;
  const size_t length = ByteAt(der, 1);
  if (length >= 0x80 || length != der.size() - 2) return false;
  size_t pos = 2;
  return ReadCoordinate(der, pos, rs.data()) && ReadCoordinate(der, pos, rs.data() + kCoordinateSize) &&
         pos == der.size();
}

bool P256PointFromPublicKeyDer(std::string_view spki, P256Pair& xy) {
  // SEQUENCE { SEQUENCE { id-ecPublicKey, prime256v1 }, BIT STRING { 04 X Y } }:
  // for this one key type every byte before the point is fixed.
  static constexpr unsigned char kPrefix[] = {0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48,
                                              0xce, 0x3d, 0x02, 0x01, 0x06, 0x08, 0x2a, 0x86, 0x48,
                                              0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};
  if (spki.size() != sizeof kPrefix + xy.size()) return false;
  if (!std::equal(std::begin(kPrefix), std::end(kPrefix), spki.begin(),
                  [](unsigned char expected, char actual) { return expected == static_cast<unsigned char>(actual); })) {
    return false;
  }
  std::copy(spki.begin() + sizeof kPrefix, spki.end(), xy.begin());
  return true;
}

}  // namespace corvane
