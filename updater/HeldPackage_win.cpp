#include "updater/HeldPackage.h"

#include <windows.h>

#include "base/Handle.h"

namespace corvane {

struct CHeldPackage::SImpl {
  CHandle file;
};

namespace {

std::wstring ErrorText(const wchar_t* what, const std::wstring& path) {
  return std::wstring(what) + L" " + path + L" (error " + std::to_wstring(GetLastError()) + L")";
}

}  // namespace

CHeldPackage::CHeldPackage() : m_impl(std::make_unique<SImpl>()) {}
CHeldPackage::~CHeldPackage() = default;

bool CHeldPackage::IsHeld() const { return m_impl->file.IsValid(); }

void CHeldPackage::Release() {
  m_impl->file.Close();
  m_size = 0;
}

bool CHeldPackage::Hold(const std::wstring& source, const std::wstring& folder, std::wstring& reason) {
  Release();
  const CHandle from(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, /*security=*/nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, /*templ=*/nullptr));
  if (!from) {
    reason = ErrorText(L"cannot read the download", source);
    return false;
  }
  // A name nobody has used: CREATE_NEW never opens a file that was there.
  // Shared for reading only, and deleted on close, which every other opener
  // would have to allow: nobody else can open it at all while it is held.
  const std::wstring path = folder + L"package-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L".zip";
  CHandle copy(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ,
                           /*security=*/nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                           /*templ=*/nullptr));
  if (!copy) {
    reason = ErrorText(L"cannot create the package copy", path);
    return false;
  }
  char piece[65536];
  DWORD read = 0;
  uint64_t size = 0;
  for (;;) {
    if (!ReadFile(from.Get(), piece, sizeof piece, &read, /*overlapped=*/nullptr)) {
      reason = ErrorText(L"cannot read the download", source);
      return false;
    }
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(copy.Get(), piece, read, &written, /*overlapped=*/nullptr) || written != read) {
      reason = ErrorText(L"cannot write the package copy", path);
      return false;
    }
    size += read;
  }
  m_impl->file = std::move(copy);
  m_size = size;
  return true;
}

bool CHeldPackage::ReadAt(uint64_t offset, void* buffer, uint32_t size, uint32_t& got) const {
  got = 0;
  if (!IsHeld()) return false;
  // A positioned read: no shared file pointer between the readers.
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  if (ReadFile(m_impl->file.Get(), buffer, size, &read, &at)) {
    got = read;
    return true;
  }
  return GetLastError() == ERROR_HANDLE_EOF;
}

}  // namespace corvane
