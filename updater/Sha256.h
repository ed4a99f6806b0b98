#pragma once
// SHA-256 of a file or of a package's bytes, from the platform's hashing
// interface (BCrypt on Windows) or the packaged OpenSSL library natively.
#include <string>

#include "updater/PackageSignature.h"

namespace corvane {

// The digest as 64 lower-case hexadecimal digits; false when the file
// cannot be read or the hashing service fails.
bool FileSha256(const std::wstring& path, std::string& hex);

// The same over bytes read front to back (the held package).
bool BytesSha256(IPackageBytes& bytes, std::string& hex);

// Lower-case hexadecimal text of bytes.
std::string LowerHex(const unsigned char* bytes, size_t count);

}  // namespace corvane
