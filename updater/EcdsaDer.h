#pragma once
// The two DER forms a P-256 signature check starts from, read into the raw
// forms BCrypt takes. Both readers are bounded and strict: whatever does
// not have exactly the expected shape reads as nothing.
#include <array>
#include <string_view>

namespace corvane {

// 32 bytes each of (r, s) or of (X, Y), big-endian.
using P256Pair = std::array<unsigned char, 64>;

// An ECDSA-Sig-Value (SEQUENCE of the INTEGERs r and s, in DER) as r || s,
// each left-padded to 32 bytes. False unless both are positive, minimally
// encoded, at most 32 bytes long, and nothing follows them.
bool P256SignatureFromDer(std::string_view der, P256Pair& rs);

// The point X || Y of a SubjectPublicKeyInfo holding an uncompressed
// ECDSA P-256 public key; false for any other key or form.
bool P256PointFromPublicKeyDer(std::string_view spki, P256Pair& xy);

}  // namespace corvane
