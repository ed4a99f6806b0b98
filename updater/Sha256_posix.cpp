#include "updater/Sha256.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "base/TextConvert.h"

namespace corvane {
namespace {

struct SDigestFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
struct SFileClose {
  void operator()(FILE* file) const { std::fclose(file); }
};

class CStdioBytes : public IPackageBytes {
 public:
  explicit CStdioBytes(FILE* file) : m_file(file) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = static_cast<uint32_t>(std::fread(buffer, 1, size, m_file));
    return !std::ferror(m_file);
  }

 private:
  FILE* m_file;
};

}  // namespace

bool Sha256Of(IPackageBytes& bytes, Sha256Digest& digest) {
  const std::unique_ptr<EVP_MD_CTX, SDigestFree> context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), /*engine=*/nullptr) != 1) return false;
  unsigned char piece[65536];
  for (;;) {
    uint32_t read = 0;
    if (!bytes.Read(piece, sizeof piece, read)) return false;
    if (read == 0) break;
    if (EVP_DigestUpdate(context.get(), piece, read) != 1) return false;
  }
  unsigned int size = 0;
  return EVP_DigestFinal_ex(context.get(), digest.data(), &size) == 1 && size == digest.size();
}

bool FileSha256(const std::wstring& path, std::string& hex) {
  std::wstring slashed = path;
  std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
  const std::unique_ptr<FILE, SFileClose> file(std::fopen(WideToUtf8(slashed).c_str(), "rb"));
  if (!file) return false;
  CStdioBytes bytes(file.get());
  return BytesSha256(bytes, hex);
}

}  // namespace corvane
