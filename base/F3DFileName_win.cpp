#include <windows.h>

#include "base/F3DFileName.h"

namespace corvane {

bool MakeAbsolutePath(const std::wstring& path, std::wstring& absolute) {
  // An embedded NUL would silently cut the path short.
  if (path.empty() || path.find(L'\0') != std::wstring::npos) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  wchar_t buffer[kMaxFullPath];
  const DWORD length = GetFullPathNameW(path.c_str(), kMaxFullPath, buffer, /*filePart=*/nullptr);
  // A result that does not fit reports the size it would need instead.
  if (length == 0 || length >= kMaxFullPath) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  absolute.assign(buffer, length);
  return true;
}

std::wstring GetModuleFilePath(void* module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), path.data(),
                                            static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the name was cut: try again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace corvane
