#pragma once
// SHA-256 of a file or of a package's bytes, from the platform's hashing
// interface (BCrypt on Windows) or the packaged OpenSSL library natively.
#include <array>
#include <string>

#include "updater/PackageSignature.h"

namespace corvane {

using Sha256Digest = std::array<unsigned char, 32>;

// The digest of the bytes, read to their end; false when a read or the
// hashing service fails.
bool Sha256Of(IPackageBytes& bytes, Sha256Digest& digest);

// The same as 64 lower-case hexadecimal digits (the held package).
bool BytesSha256(IPackageBytes& bytes, std::string& hex);

// The digest of a file as 64 lower-case hexadecimal digits; false when the
// file cannot be read or the hashing service fails.
bool FileSha256(const std::wstring& path, std::string& hex);

// Lower-case hexadecimal text of bytes.
std::string LowerHex(const unsigned char* bytes, size_t count);

}  // namespace corvane
