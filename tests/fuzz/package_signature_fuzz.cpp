// The package signature's text (base64 from the version file, through the
// hand-off record) and the DER forms read from it, before the platform's
// cryptography sees them: bounded and total whatever the bytes.
#include <string>

#include "base/Base64.h"
#include "tests/fuzz/FuzzInput.h"
#include "updater/EcdsaDer.h"

using namespace corvane;

namespace {

void CheckDer(std::string_view der) {
  P256Pair pair{};
  if (P256SignatureFromDer(der, pair)) {
    // Two INTEGERs of 1 to 33 bytes in a SEQUENCE, nothing else; a 33rd
    // byte is there only for a top bit.
    FUZZ_CHECK(der.size() >= 8 && der.size() <= 72);
    FUZZ_CHECK(der.size() < 72 || (pair[0] & 0x80));
  }
  if (P256PointFromPublicKeyDer(der, pair)) FUZZ_CHECK(der.size() == 91);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes = fuzz::AsText(data, size);
  CheckDer(bytes);
  const std::optional<std::string> decoded = DecodeBase64(bytes);
  if (decoded) {
    FUZZ_CHECK(bytes.size() % 4 == 0);
    FUZZ_CHECK(decoded->size() <= bytes.size() / 4 * 3 && decoded->size() + 2 >= bytes.size() / 4 * 3);
    CheckDer(*decoded);
  }
  return 0;
}
