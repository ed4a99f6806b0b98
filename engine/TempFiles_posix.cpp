#include "engine/TempFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "engine/PathParts.h"

namespace corvane {

std::wstring GetTempFolder() {
  std::error_code error;
  std::wstring folder = Utf8ToWide(std::filesystem::temp_directory_path(error).string());
  if (error || folder.empty()) folder = L"/tmp";
  if (folder.back() != L'/') folder += L'/';
  return folder;
}

std::wstring CreateUniqueTempFile(const std::wstring& folder, const std::wstring& prefix) {
  // Like the Windows call: up to four hexadecimal digits, the first free
  // name from a random start.
  std::random_device seed;
  const unsigned start = seed() & 0xFFFF;
  for (unsigned step = 0; step < 0x10000; ++step) {
    const unsigned number = (start + step) & 0xFFFF;
    if (number == 0) continue;
    wchar_t digits[8];
    std::swprintf(digits, 8, L"%X", number);
    const std::wstring path = folder + prefix + digits + L".tmp";
    const int fd = ::open(WideToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) return {};
  }
  return {};
}

bool WriteTempFileContent(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(ToFsPath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
}

ECreateNew CreateNewFile(const std::wstring& path) {
  const int fd = ::open(WideToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ::close(fd);
    return ECreateNew::kCreated;
  }
  return errno == EEXIST ? ECreateNew::kExists : ECreateNew::kFailed;
}

ECreateNew CreateNewFolder(const std::wstring& path) {
  if (::mkdir(WideToUtf8(path).c_str(), 0755) == 0) return ECreateNew::kCreated;
  return errno == EEXIST ? ECreateNew::kExists : ECreateNew::kFailed;
}

bool RemoveFile(const std::wstring& path) {
  std::error_code error;
  std::filesystem::remove(ToFsPath(path), error);
  return !std::filesystem::exists(ToFsPath(path), error);
}

std::vector<std::wstring> FileNamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(ToFsPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) names.push_back(FromFsPath(it->path().filename()));
  }
  return names;
}

bool RemoveEmptyFolder(const std::wstring& folder) {
  std::error_code error;
  std::filesystem::remove(ToFsPath(folder), error);
  return !std::filesystem::exists(ToFsPath(folder), error);
}

bool RemoveFolderTree(const std::wstring& path) {
  std::error_code error;
  std::filesystem::remove_all(ToFsPath(path), error);
  return !std::filesystem::exists(ToFsPath(path), error);
}

}  // namespace corvane
