#include "updater/UnzipFiles.h"

#include <windows.h>

#include <memory>

#include "base/Handle.h"

namespace corvane {
namespace {

CHandle OpenFileHandle(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) {
  return CHandle(CreateFileW(path.c_str(), access, share, /*security=*/nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                             /*templ=*/nullptr));
}

// The result of a call that failed with GetLastError() now.
EFileOp FailureKind() {
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? EFileOp::kBusy : EFileOp::kFailed;
}

}  // namespace

EFileKind GetPathKind(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EFileKind::kMissing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? EFileKind::kFolder : EFileKind::kFile;
}

bool IsLinkPath(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool MakeOneFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), /*security=*/nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

EFileOp CanOverwriteFile(const std::wstring& path) {
  return OpenFileHandle(path, GENERIC_WRITE, /*share=*/0, OPEN_EXISTING).IsValid() ? EFileOp::kDone : FailureKind();
}

EFileOp ReplaceWithFile(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? EFileOp::kDone : FailureKind();
}

EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to) {
  // Without MOVEFILE_REPLACE_EXISTING the rename fails with
  // ERROR_ALREADY_EXISTS when `to` exists; both names lie in one folder.
  return MoveFileExW(from.c_str(), to.c_str(), /*flags=*/0) ? EFileOp::kDone : FailureKind();
}

uint64_t FreeBytesAt(const std::wstring& folder) {
  ULARGE_INTEGER available{};
  if (!GetDiskFreeSpaceExW(folder.c_str(), &available, /*total=*/nullptr, /*free=*/nullptr)) return 0;
  return available.QuadPart;
}

bool RemoveFile(const std::wstring& path) { return DeleteFileW(path.c_str()) != FALSE; }

bool RemoveEmptyFolder(const std::wstring& path) { return RemoveDirectoryW(path.c_str()) != FALSE; }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  const CHandle file = OpenFileHandle(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return false;
  bytes.clear();
  char piece[4096];
  DWORD read = 0;
  while (ReadFile(file.Get(), piece, sizeof piece, &read, /*overlapped=*/nullptr)) {
    if (read == 0) return true;
    bytes.append(piece, read);
  }
  return false;
}

bool SetFileDosTime(const std::wstring& path, uint32_t dosDate) {
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local)) return false;
  if (!LocalFileTimeToFileTime(&local, &utc)) return false;
  const CHandle file = OpenFileHandle(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return false;
  return SetFileTime(file.Get(), &utc, /*lastAccess=*/nullptr, &utc) != FALSE;
}

struct COutputFile::SImpl {
  CHandle file;
};

COutputFile::COutputFile() : m_impl(std::make_unique<SImpl>()) {}
COutputFile::~COutputFile() = default;

bool COutputFile::Create(const std::wstring& path) {
  m_impl->file = OpenFileHandle(path, GENERIC_WRITE, /*share=*/0, CREATE_ALWAYS);
  return m_impl->file.IsValid();
}

bool COutputFile::Write(const void* data, uint32_t size) {
  DWORD written = 0;
  return WriteFile(m_impl->file.Get(), data, size, &written, /*overlapped=*/nullptr) && written == size;
}

void COutputFile::Close() { m_impl->file.Close(); }

}  // namespace corvane
