#pragma once
// The platform half of the package signature check (PackageSignature_win.cpp
// with BCrypt, PackageSignature_posix.cpp with OpenSSL), reached through
// VerifyPackageSignature once the text checks have passed.
#include <string_view>

#include "updater/PackageSignature.h"

namespace corvane {

// `derSignature` is a well-formed ECDSA-Sig-Value, `publicKeyDer` not empty.
SSignatureVerdict VerifyDerPackageSignature(IPackageBytes& package, std::string_view derSignature,
                                            std::string_view publicKeyDer);

// The verdict of a refusal, for both halves.
inline SSignatureVerdict SignatureRefused(const wchar_t* reason) { return SSignatureVerdict{false, reason}; }

}  // namespace corvane
