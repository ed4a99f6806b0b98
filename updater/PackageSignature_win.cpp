#include <vector>

#include "updater/BCryptHandles_win.h"
#include "updater/EcdsaDer.h"
#include "updater/PackageSignatureDer.h"
#include "updater/Sha256.h"

namespace corvane {
namespace {

// BCrypt takes the public point as BCRYPT_ECCKEY_BLOB followed by X and Y.
CBCryptKey ImportP256Key(BCRYPT_ALG_HANDLE algorithm, const P256Pair& xy) {
  std::vector<unsigned char> blob(sizeof(BCRYPT_ECCKEY_BLOB) + xy.size());
  BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, static_cast<ULONG>(xy.size() / 2)};
  memcpy(blob.data(), &header, sizeof header);
  memcpy(blob.data() + sizeof header, xy.data(), xy.size());
  BCRYPT_KEY_HANDLE key = nullptr;
  if (!BCryptSucceeded(BCryptImportKeyPair(algorithm, /*importKey=*/nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, blob.data(),
                                           static_cast<ULONG>(blob.size()), /*flags=*/0))) {
    return nullptr;
  }
  return CBCryptKey(key);
}

}  // namespace

SSignatureVerdict VerifyDerPackageSignature(IPackageBytes& package, std::string_view derSignature,
                                            std::string_view publicKeyDer) {
  P256Pair xy{};
  P256Pair rs{};
  if (!P256PointFromPublicKeyDer(publicKeyDer, xy)) {
    return SignatureRefused(L"the built-in update key is not an ECDSA P-256 key");
  }
  if (!P256SignatureFromDer(derSignature, rs)) {
    return SignatureRefused(L"its signature is not a DER ECDSA P-256 signature");
  }
  const CBCryptAlgorithm algorithm = OpenBCryptAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
  const CBCryptKey key = algorithm ? ImportP256Key(algorithm.get(), xy) : nullptr;
  if (!key) return SignatureRefused(L"the signature check could not be started");
  Sha256Digest digest{};
  if (!Sha256Of(package, digest)) return SignatureRefused(L"the package cannot be read");
  const NTSTATUS verified = BCryptVerifySignature(key.get(), /*padding=*/nullptr, digest.data(),
                                                  static_cast<ULONG>(digest.size()), rs.data(),
                                                  static_cast<ULONG>(rs.size()), /*flags=*/0);
  if (!BCryptSucceeded(verified)) {
    return SignatureRefused(L"its signature does not match the package and the built-in key");
  }
  return SSignatureVerdict{true, {}};
}

}  // namespace corvane
