#pragma once
// Owner types of BCrypt's algorithm, hash and key handles (Windows only:
// include from _win.cpp files).
#include <windows.h>
#include <bcrypt.h>

#include <memory>

namespace corvane {

struct SBCryptAlgorithmClose {
  void operator()(void* algorithm) const { BCryptCloseAlgorithmProvider(algorithm, /*flags=*/0); }
};
struct SBCryptHashDestroy {
  void operator()(void* hash) const { BCryptDestroyHash(hash); }
};
struct SBCryptKeyDestroy {
  void operator()(void* key) const { BCryptDestroyKey(key); }
};
using CBCryptAlgorithm = std::unique_ptr<void, SBCryptAlgorithmClose>;
using CBCryptHash = std::unique_ptr<void, SBCryptHashDestroy>;
using CBCryptKey = std::unique_ptr<void, SBCryptKeyDestroy>;

inline bool BCryptSucceeded(NTSTATUS status) { return status >= 0; }

// The provider of one algorithm (BCRYPT_SHA256_ALGORITHM, ...); empty when
// the system has none.
inline CBCryptAlgorithm OpenBCryptAlgorithm(const wchar_t* name) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCryptSucceeded(BCryptOpenAlgorithmProvider(&algorithm, name, /*implementation=*/nullptr, 0))) return nullptr;
  return CBCryptAlgorithm(algorithm);
}

}  // namespace corvane
