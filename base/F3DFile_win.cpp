#include <windows.h>

#include "base/F3DErrorMap.h"
#include "base/F3DFile.h"

namespace corvane {
namespace {

HANDLE AsHandle(CF3DFile::FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

CF3DFile::FileHandle FromHandle(HANDLE handle) { return reinterpret_cast<CF3DFile::FileHandle>(handle); }

DWORD ShareModeOf(uint32_t flags) {
  switch (flags & 0x70) {
    case CF3DFile::shareDenyWrite: return FILE_SHARE_READ;
    case CF3DFile::shareDenyRead: return FILE_SHARE_WRITE;
    case CF3DFile::shareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // exclusive, and every other value
  }
}

DWORD CreationOf(uint32_t flags) {
  if (!(flags & CF3DFile::modeCreate)) return OPEN_EXISTING;
  return (flags & CF3DFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

int64_t FileTimeValue(const FILETIME& time) {
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace

void CF3DFile::ThrowLastError() const {
  ThrowCause(FileCauseFromWindowsError(GetLastError()));
}

uint64_t CF3DFile::GetPosition() const {
  RequireOpen();
  LARGE_INTEGER zero{}, position{};
  if (!SetFilePointerEx(AsHandle(m_handle), zero, &position, FILE_CURRENT)) ThrowLastError();
  return static_cast<uint64_t>(position.QuadPart);
}

bool CF3DFile::Open(const std::wstring& path, uint32_t flags, CF3DFileException* error) {
  if (IsOpen() && m_closeOnDelete) Abort();
  m_handle = kInvalidHandle;
  m_closeOnDelete = true;
  m_path = path;

  DWORD access = 0;
  switch (flags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default:
      if (error) {
        error->SetCause(CF3DFileException::invalidParameter);
        error->SetFileName(path);
      }
      return false;
  }
  SECURITY_ATTRIBUTES security{sizeof security, /*descriptor=*/nullptr,
                               /*inherit=*/(flags & modeNoInherit) ? FALSE : TRUE};
  const HANDLE handle = CreateFileW(path.c_str(), access, ShareModeOf(flags), &security,
                                    CreationOf(flags), FILE_ATTRIBUTE_NORMAL, /*templ=*/nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (error) {
      error->SetCause(FileCauseFromWindowsError(code));
      error->SetFileName(path);
    }
    return false;
  }
  m_handle = FromHandle(handle);
  return true;
}

std::unique_ptr<CF3DFile> CF3DFile::Duplicate() const {
  RequireOpen();
  const HANDLE process = GetCurrentProcess();
  HANDLE copy = nullptr;
  if (!DuplicateHandle(process, AsHandle(m_handle), process, &copy, 0, /*inherit=*/FALSE,
                       DUPLICATE_SAME_ACCESS))
    ThrowLastError();
  auto file = std::make_unique<CF3DFile>(FromHandle(copy), m_closeOnDelete);
  file->m_path = m_path;
  return file;
}

int64_t CF3DFile::Seek(int64_t offset, int origin) {
  if (origin < begin || origin > end) ThrowCause(CF3DFileException::badSeek);
  RequireOpen();
  LARGE_INTEGER distance{}, position{};
  distance.QuadPart = offset;
  if (!SetFilePointerEx(AsHandle(m_handle), distance, &position, static_cast<DWORD>(origin)))
    ThrowLastError();
  return position.QuadPart;
}

void CF3DFile::SetLength(uint64_t length) {
  RequireOpen();
  Seek(static_cast<int64_t>(length), begin);
  if (!SetEndOfFile(AsHandle(m_handle))) ThrowLastError();
}

uint64_t CF3DFile::GetLength() const {
  RequireOpen();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(m_handle), &size)) ThrowLastError();
  return static_cast<uint64_t>(size.QuadPart);
}

uint32_t CF3DFile::Read(void* buffer, uint32_t count) {
  if (count == 0) return 0;
  RequireOpen();
  DWORD read = 0;
  if (!ReadFile(AsHandle(m_handle), buffer, count, &read, /*overlapped=*/nullptr)) ThrowLastError();
  return read;
}

void CF3DFile::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  RequireOpen();
  DWORD written = 0;
  if (!WriteFile(AsHandle(m_handle), buffer, count, &written, /*overlapped=*/nullptr)) ThrowLastError();
  // A disk that takes fewer bytes than asked is full.
  if (written < count) ThrowCause(CF3DFileException::diskFull);
}

void CF3DFile::LockRange(uint64_t position, uint64_t count) {
  RequireOpen();
  if (!LockFile(AsHandle(m_handle), static_cast<DWORD>(position), static_cast<DWORD>(position >> 32),
                static_cast<DWORD>(count), static_cast<DWORD>(count >> 32)))
    ThrowLastError();
}

void CF3DFile::UnlockRange(uint64_t position, uint64_t count) {
  RequireOpen();
  if (!UnlockFile(AsHandle(m_handle), static_cast<DWORD>(position), static_cast<DWORD>(position >> 32),
                  static_cast<DWORD>(count), static_cast<DWORD>(count >> 32)))
    ThrowLastError();
}

void CF3DFile::Abort() {
  if (IsOpen()) CloseHandle(AsHandle(m_handle));
  m_handle = kInvalidHandle;
}

void CF3DFile::Flush() {
  if (!IsOpen()) return;
  if (!FlushFileBuffers(AsHandle(m_handle))) ThrowLastError();
}

void CF3DFile::Close() {
  bool failed = false;
  DWORD code = 0;
  if (IsOpen() && !CloseHandle(AsHandle(m_handle))) {
    failed = true;
    code = GetLastError();
  }
  m_handle = kInvalidHandle;
  if (failed) ThrowCause(FileCauseFromWindowsError(code));
}

bool CF3DFile::GetStatus(SF3DFileStatus& status) const {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(AsHandle(m_handle), &info)) return false;
  status.path = m_path;
  status.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  status.lastWrite = CF3DDateTime(FileTimeValue(info.ftLastWriteTime));
  const int64_t created = FileTimeValue(info.ftCreationTime);
  const int64_t accessed = FileTimeValue(info.ftLastAccessTime);
  status.created = created ? CF3DDateTime(created) : status.lastWrite;
  status.lastAccess = accessed ? CF3DDateTime(accessed) : status.lastWrite;
  status.attributes = info.dwFileAttributes;
  return true;
}

}  // namespace corvane
