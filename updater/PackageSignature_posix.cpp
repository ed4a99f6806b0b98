#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>

#include "updater/PackageSignatureDer.h"

namespace corvane {
namespace {

struct SKeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct SDigestFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

const unsigned char* BytesOf(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

}  // namespace

SSignatureVerdict VerifyDerPackageSignature(IPackageBytes& package, std::string_view derSignature,
                                            std::string_view publicKeyDer) {
  const unsigned char* keyBytes = BytesOf(publicKeyDer);
  const std::unique_ptr<EVP_PKEY, SKeyFree> key(d2i_PUBKEY(nullptr, &keyBytes, static_cast<long>(publicKeyDer.size())));
  if (!key || EVP_PKEY_get_bits(key.get()) != 256 || !EVP_PKEY_is_a(key.get(), "EC")) {
    return SignatureRefused(L"the built-in update key is not an ECDSA P-256 key");
  }
  const std::unique_ptr<EVP_MD_CTX, SDigestFree> context(EVP_MD_CTX_new());
  if (!context ||
      EVP_DigestVerifyInit(context.get(), /*keyContext=*/nullptr, EVP_sha256(), /*engine=*/nullptr, key.get()) != 1) {
    return SignatureRefused(L"the signature check could not be started");
  }
  unsigned char piece[65536];
  for (;;) {
    uint32_t read = 0;
    if (!package.Read(piece, sizeof piece, read)) return SignatureRefused(L"the package cannot be read");
    if (read == 0) break;
    if (EVP_DigestVerifyUpdate(context.get(), piece, read) != 1) {
      return SignatureRefused(L"the signature check failed");
    }
  }
  if (EVP_DigestVerifyFinal(context.get(), BytesOf(derSignature), derSignature.size()) != 1) {
    return SignatureRefused(L"its signature does not match the package and the built-in key");
  }
  return SSignatureVerdict{true, {}};
}

}  // namespace corvane
