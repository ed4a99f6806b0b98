#include "updater/Sha256.h"

#include <windows.h>
#include <bcrypt.h>

#include <memory>

#include "base/Handle.h"

namespace corvane {
namespace {

struct SAlgorithmClose {
  void operator()(void* algorithm) const { BCryptCloseAlgorithmProvider(algorithm, /*flags=*/0); }
};
struct SHashDestroy {
  void operator()(void* hash) const { BCryptDestroyHash(hash); }
};

constexpr ULONG kSha256Size = 32;

bool Succeeded(NTSTATUS status) { return status >= 0; }

class CFileBytes : public IPackageBytes {
 public:
  explicit CFileBytes(HANDLE file) : m_file(file) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    DWORD read = 0;
    const bool ok = ReadFile(m_file, buffer, size, &read, /*overlapped=*/nullptr) != FALSE;
    got = read;
    return ok;
  }

 private:
  HANDLE m_file;
};

}  // namespace

bool FileSha256(const std::wstring& path, std::string& hex) {
  CHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, /*security=*/nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, /*templ=*/nullptr));
  if (!file.IsValid()) return false;
  CFileBytes bytes(file.Get());
  return BytesSha256(bytes, hex);
}

bool BytesSha256(IPackageBytes& bytes, std::string& hex) {
  BCRYPT_ALG_HANDLE rawAlgorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&rawAlgorithm, BCRYPT_SHA256_ALGORITHM, /*implementation=*/nullptr, 0))) {
    return false;
  }
  const std::unique_ptr<void, SAlgorithmClose> algorithm(rawAlgorithm);
  BCRYPT_HASH_HANDLE rawHash = nullptr;
  // Since Windows 7 the hash object's memory may be left to the provider.
  if (!Succeeded(BCryptCreateHash(rawAlgorithm, &rawHash, /*object=*/nullptr, 0, /*secret=*/nullptr, 0, 0))) {
    return false;
  }
  const std::unique_ptr<void, SHashDestroy> hash(rawHash);

  unsigned char piece[65536];
  uint32_t read = 0;
  for (;;) {
    if (!bytes.Read(piece, sizeof piece, read)) return false;
    if (read == 0) break;
    if (!Succeeded(BCryptHashData(rawHash, piece, read, 0))) return false;
  }
  unsigned char digest[kSha256Size];
  if (!Succeeded(BCryptFinishHash(rawHash, digest, kSha256Size, 0))) return false;
  hex = LowerHex(digest, kSha256Size);
  return true;
}

}  // namespace corvane
