#include "engine/TempFiles.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/Handle.h"
#include "base/UniqueHandle.h"

namespace corvane {
std::wstring GetTempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return std::wstring(buffer, length);
}

std::wstring CreateUniqueTempFile(const std::wstring& folder, const std::wstring& prefix) {
  // The call writes up to MAX_PATH characters and is documented for folders
  // of at most MAX_PATH - 14; a longer folder would run past the buffer
  // (under Wine the call then succeeds and does).
  constexpr size_t kLongestFolder = MAX_PATH - 14;
  if (folder.size() > kLongestFolder) return {};
  wchar_t buffer[MAX_PATH] = {};
  if (GetTempFileNameW(folder.c_str(), prefix.c_str(), /*uUnique=*/0, buffer) == 0) return {};
  return buffer;
}

bool WriteTempFileContent(const std::wstring& path, const std::string& bytes) {
  CHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, /*share=*/0, /*security=*/nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED,
                               /*templ=*/nullptr));
  if (!file) return false;
  size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1 << 20));
    DWORD done = 0;
    if (!WriteFile(file.Get(), bytes.data() + written, chunk, &done, /*overlapped=*/nullptr) || done == 0) {
      return false;
    }
    written += done;
  }
  return FlushFileBuffers(file.Get()) != FALSE;
}

ECreateNew CreateNewFile(const std::wstring& path) {
  CHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, /*share=*/0, /*security=*/nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, /*templ=*/nullptr));
  if (file) return ECreateNew::kCreated;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? ECreateNew::kExists : ECreateNew::kFailed;
}

ECreateNew CreateNewFolder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), /*security=*/nullptr)) return ECreateNew::kCreated;
  const DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? ECreateNew::kExists : ECreateNew::kFailed;
}

bool RemoveFile(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) return true;
  return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
  std::wstring pattern = folder;
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry = {};
  const HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  const CFindHandle find(search);
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileW(find.Get(), &entry));
  return names;
}

bool RemoveEmptyFolder(const std::wstring& folder) {
  return RemoveDirectoryW(folder.c_str()) || GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool RemoveFolderTree(const std::wstring& path) {
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(path), error);
  return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace corvane
