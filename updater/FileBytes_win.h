#pragma once
// A package's bytes read from a file handle the caller owns, front to back
// from where the handle stands (Windows only: include from _win.cpp files).
#include <windows.h>

#include "updater/PackageSignature.h"

namespace corvane {

class CFileBytes : public IPackageBytes {
 public:
  explicit CFileBytes(HANDLE file) : m_file(file) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    DWORD read = 0;
    if (!ReadFile(m_file, buffer, size, &read, /*overlapped=*/nullptr)) return false;
    got = read;
    return true;
  }

 private:
  HANDLE m_file;
};

}  // namespace corvane
