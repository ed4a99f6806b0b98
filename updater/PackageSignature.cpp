#include "updater/PackageSignature.h"

#include "base/Base64.h"
#include "updater/EcdsaDer.h"
#include "updater/PackageSignatureDer.h"

namespace corvane {

SSignatureVerdict VerifyPackageSignature(IPackageBytes& package, std::string_view signatureBase64,
                                         std::string_view publicKeyDer) {
  if (publicKeyDer.empty()) return SignatureRefused(L"this build has no update key");
  if (signatureBase64.empty()) return SignatureRefused(L"the package has no signature");
  const std::optional<std::string> der = DecodeBase64(signatureBase64);
  if (!der) return SignatureRefused(L"its signature is not base64 text");
  // Read here on both platforms, so that a damaged signature is named as
  // such whichever library checks it.
  P256Pair rs{};
  if (!P256SignatureFromDer(*der, rs)) return SignatureRefused(L"its signature is not a DER ECDSA P-256 signature");
  return VerifyDerPackageSignature(package, *der, publicKeyDer);
}

}  // namespace corvane
