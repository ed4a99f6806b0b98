#pragma once
// Whether an update package was signed by the maker.
//
// The maker signs SHA-256 of the package's bytes with an ECDSA P-256 private
// key; the signature travels as the base64 text of its DER form (what
// `openssl dgst -sha256 -sign key.pem package.zip | base64 -w0` prints).
// The public half is built into the programs (UpdatePublicKey.h). The check
// uses the platform's own cryptography: BCrypt on Windows
// (PackageSignature_win.cpp), OpenSSL's EVP interface natively
// (PackageSignature_posix.cpp).
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The bytes to check, read front to back once. The updater reads them from
// the handle it goes on to unpack from, so what was checked is what is used.
class IPackageBytes {
 public:
  virtual ~IPackageBytes() = default;
  // Up to `size` bytes into `buffer`; `got` 0 at the end. False on a failed
  // read (the package then counts as unsigned).
  virtual bool Read(void* buffer, uint32_t size, uint32_t& got) = 0;
};

struct SSignatureVerdict {
  bool valid = false;
  std::wstring reason;  // English, for the log: why the package is refused
};

// Checks `signatureBase64` over the bytes against `publicKeyDer` (a DER
// SubjectPublicKeyInfo of an ECDSA P-256 key). An empty key (a build without
// one), an empty or malformed signature, a failed read or a signature that
// does not match are all refusals, each with its reason.
SSignatureVerdict VerifyPackageSignature(IPackageBytes& package, std::string_view signatureBase64,
                                         std::string_view publicKeyDer);

}  // namespace corvane
