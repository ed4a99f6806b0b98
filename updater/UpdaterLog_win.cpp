#include "updater/UpdaterLog.h"

#include <windows.h>

#include <vector>

#include "base/AppCommonPath.h"
#include "base/Handle.h"

namespace corvane {
namespace {

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The path as the system names the file behind `file` (links resolved),
// in the plain form: "\\?\C:\a" as "C:\a", "\\?\UNC\host\share" as
// "\\host\share".
std::wstring FinalPathOf(HANDLE file) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < buffer.size()) break;
    buffer.resize(length + 1);
  }
  std::wstring path(buffer.data());
  if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
  if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
  return path;
}

// `path` in full, with the folder's short (8.3) names written long, as the
// system reports a handle's path.
std::wstring ExpectedPathOf(const std::wstring& path) {
  constexpr DWORD kLongest = 32768;
  std::vector<wchar_t> buffer(kLongest);
  const DWORD length = GetFullPathNameW(path.c_str(), kLongest, buffer.data(), /*filePart=*/nullptr);
  if (length == 0 || length >= kLongest) return {};
  const std::wstring full(buffer.data(), length);
  const size_t cut = full.find_last_of(L'\\');
  if (cut == std::wstring::npos) return full;
  const DWORD folderLength = GetLongPathNameW(full.substr(0, cut).c_str(), buffer.data(), kLongest);
  if (folderLength == 0 || folderLength >= kLongest) return full;
  return std::wstring(buffer.data(), folderLength) + full.substr(cut);
}

// No level of `path` (a full path), from the drive down, is a link. Alone
// this could be outrun; the handle's own path is checked after the open.
bool NoLinkOnTheWay(const std::wstring& path) {
  for (size_t cut = path.find(L'\\', 3); cut != std::wstring::npos; cut = path.find(L'\\', cut + 1)) {
    const DWORD attributes = GetFileAttributesW(path.substr(0, cut).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// What was opened is a plain file with this one name at `expected`.
bool IsPlainFileAt(HANDLE file, const std::wstring& expected) {
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!GetFileInformationByHandle(file, &information)) return false;
  if (information.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (information.nNumberOfLinks != 1) return false;
  const std::wstring actual = FinalPathOf(file);
  return !actual.empty() && Lowered(actual) == Lowered(expected);
}

}  // namespace

std::unique_ptr<CF3DFile> OpenLogFileWithoutLinks(const std::wstring& path) {
  const std::wstring expected = ExpectedPathOf(path);
  if (expected.empty() || !NoLinkOnTheWay(expected)) return nullptr;
  // OPEN_ALWAYS: nothing is emptied before the checks below; the link
  // itself, should the name be one, is what opens.
  CHandle file(CreateFileW(expected.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES | DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, /*security=*/nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, /*templ=*/nullptr));
  if (!file) return nullptr;
  const bool madeNow = GetLastError() != ERROR_ALREADY_EXISTS;
  if (!IsPlainFileAt(file.Get(), expected)) {
    // Made somewhere it should not be (a folder on the way was swapped):
    // removed again, through the handle, so nothing else is touched.
    FILE_DISPOSITION_INFO remove = {TRUE};
    if (madeNow) SetFileInformationByHandle(file.Get(), FileDispositionInfo, &remove, sizeof remove);
    return nullptr;
  }
  if (!SetEndOfFile(file.Get())) return nullptr;  // at offset 0: the old log goes
  return std::make_unique<CF3DFile>(reinterpret_cast<CF3DFile::FileHandle>(file.Detach()), /*closeOnDelete=*/true);
}

void StartUpdaterLog(CF3DLogHTML& log, const std::wstring& userFolder) {
  const std::wstring folder = userFolder + CF3DLogHTML::kDefaultFolder + L"\\";
  if (!CreateFolderTree(folder)) return;
  log.SetFileOpener(OpenLogFileWithoutLinks);
  log.SetLogPath(folder + CF3DLogHTML::kDefaultFileName);
}

}  // namespace corvane
