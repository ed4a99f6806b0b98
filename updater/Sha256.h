#pragma once
// SHA-256 of a file, from the platform's hashing interface (BCrypt on
// Windows) or the packaged OpenSSL library natively.
#include <string>

namespace corvane {

// The digest as 64 lower-case hexadecimal digits; false when the file
// cannot be read or the hashing service fails.
bool FileSha256(const std::wstring& path, std::string& hex);

// Lower-case hexadecimal text of bytes.
std::string LowerHex(const unsigned char* bytes, size_t count);

}  // namespace corvane
