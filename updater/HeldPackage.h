#pragma once
// The update package as the updater uses it once it is downloaded.
//
// The download lies in the user's folder, where the user's own programs can
// change it at any moment. So the updater copies it once into a new file of
// a folder of its own and keeps that file open, shared for reading only
// (for good: it goes when the last handle closes), and from then on reads
// nothing but this handle: the digest, the signature check and the zip
// reader all read the bytes that were copied, so what was checked is what is
// unpacked. Nothing opens the package by path again.
//
// The file itself is per platform (HeldPackage_win.cpp, HeldPackage_posix.cpp);
// reading it front to back and as a zip archive is portable.
#include <cstdint>
#include <memory>
#include <string>

#include "updater/PackageSignature.h"

namespace corvane {

class CHeldPackage {
 public:
  CHeldPackage();
  ~CHeldPackage();
  CHeldPackage(const CHeldPackage&) = delete;
  CHeldPackage& operator=(const CHeldPackage&) = delete;

  // Releases any earlier copy, then copies `source` into a new file in
  // `folder` (which ends with its separator) and holds it. False, with the
  // reason in English for the log, when the source cannot be read or the
  // copy cannot be made whole.
  bool Hold(const std::wstring& source, const std::wstring& folder, std::wstring& reason);
  bool IsHeld() const;
  uint64_t Size() const { return m_size; }
  // Up to `size` bytes from `offset`; `got` 0 past the end. False on a
  // failed read or when nothing is held.
  bool ReadAt(uint64_t offset, void* buffer, uint32_t size, uint32_t& got) const;
  // Closes the copy, which goes with it.
  void Release();

  // The bytes from the first, for the digest and the signature check.
  std::unique_ptr<IPackageBytes> Bytes() const;

 private:
  struct SImpl;
  std::unique_ptr<SImpl> m_impl;
  uint64_t m_size = 0;
};

}  // namespace corvane
