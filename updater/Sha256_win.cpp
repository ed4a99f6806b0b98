#include "updater/Sha256.h"

#include "base/Handle.h"
#include "updater/BCryptHandles_win.h"
#include "updater/FileBytes_win.h"

namespace corvane {

bool Sha256Of(IPackageBytes& bytes, Sha256Digest& digest) {
  const CBCryptAlgorithm algorithm = OpenBCryptAlgorithm(BCRYPT_SHA256_ALGORITHM);
  if (!algorithm) return false;
  BCRYPT_HASH_HANDLE rawHash = nullptr;
  // Since Windows 7 the hash object's memory may be left to the provider.
  if (!BCryptSucceeded(BCryptCreateHash(algorithm.get(), &rawHash, /*object=*/nullptr, 0, /*secret=*/nullptr, 0, 0))) {
    return false;
  }
  const CBCryptHash hash(rawHash);

  unsigned char piece[65536];
  for (;;) {
    uint32_t read = 0;
    if (!bytes.Read(piece, sizeof piece, read)) return false;
    if (read == 0) break;
    if (!BCryptSucceeded(BCryptHashData(rawHash, piece, read, 0))) return false;
  }
  return BCryptSucceeded(BCryptFinishHash(rawHash, digest.data(), static_cast<ULONG>(digest.size()), 0));
}

bool FileSha256(const std::wstring& path, std::string& hex) {
  CHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, /*security=*/nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, /*templ=*/nullptr));
  if (!file.IsValid()) return false;
  CFileBytes bytes(file.Get());
  return BytesSha256(bytes, hex);
}

}  // namespace corvane
