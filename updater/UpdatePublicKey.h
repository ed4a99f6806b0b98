#pragma once
// The maker's public key for update packages, fixed when the program is
// built (the CMake cache variable CORVANE_UPDATE_PUBLIC_KEY, see
// cmake/UpdatePublicKey.cmake).
#include <string_view>

namespace corvane {

// The DER SubjectPublicKeyInfo of the ECDSA P-256 key; empty in a build made
// without one, which therefore refuses every package.
std::string_view UpdatePublicKeyDer();

}  // namespace corvane
