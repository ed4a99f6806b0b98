#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/F3DErrorMap.h"
#include "base/F3DFile.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

int AsDescriptor(CF3DFile::FileHandle handle) { return static_cast<int>(handle); }

int OpenFlagsOf(uint32_t flags) {
  int result = 0;
  switch (flags & 3) {
    case CF3DFile::modeRead: result = O_RDONLY; break;
    case CF3DFile::modeWrite: result = O_WRONLY; break;
    default: result = O_RDWR; break;
  }
  // Descriptors are inherited across exec unless marked otherwise.
  if (flags & CF3DFile::modeNoInherit) result |= O_CLOEXEC;
  if (flags & CF3DFile::modeCreate) {
    result |= O_CREAT;
    if (!(flags & CF3DFile::modeNoTruncate)) result |= O_TRUNC;
  }
  return result;
}

CF3DDateTime FromTimespec(const timespec& time) {
  const int64_t ticks = time.tv_nsec / 100;
  return CF3DDateTime(CF3DDateTime::FromUnixTime(time.tv_sec).FileTime() + ticks);
}

bool SetRecordLock(int fd, short type, uint64_t position, uint64_t count) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(position);
  lock.l_len = static_cast<off_t>(count);
  return fcntl(fd, F_SETLK, &lock) == 0;
}

}  // namespace

void CF3DFile::ThrowLastError() const { ThrowCause(FileCauseFromErrno(errno)); }

uint64_t CF3DFile::GetPosition() const {
  RequireOpen();
  const off_t position = lseek(AsDescriptor(m_handle), 0, SEEK_CUR);
  if (position < 0) ThrowLastError();
  return static_cast<uint64_t>(position);
}

bool CF3DFile::Open(const std::wstring& path, uint32_t flags, CF3DFileException* error) {
  if (IsOpen() && m_closeOnDelete) Abort();
  m_handle = kInvalidHandle;
  m_closeOnDelete = true;
  m_path = path;

  auto fail = [&](int32_t cause) {
    if (error) {
      error->SetCause(cause);
      error->SetFileName(path);
    }
    return false;
  };
  if ((flags & 3) == 3) return fail(CF3DFileException::invalidParameter);
  const int fd = ::open(WideToUtf8(path).c_str(), OpenFlagsOf(flags), 0666);
  if (fd < 0) return fail(FileCauseFromErrno(errno));
  // Windows refuses to open a folder as a file; do the same.
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return fail(CF3DFileException::accessDenied);
  }
  m_handle = fd;
  return true;
}

std::unique_ptr<CF3DFile> CF3DFile::Duplicate() const {
  RequireOpen();
  const int copy = fcntl(AsDescriptor(m_handle), F_DUPFD_CLOEXEC, 0);
  if (copy < 0) ThrowLastError();
  auto file = std::make_unique<CF3DFile>(copy, m_closeOnDelete);
  file->m_path = m_path;
  return file;
}

int64_t CF3DFile::Seek(int64_t offset, int origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin < begin || origin > end) ThrowCause(CF3DFileException::badSeek);
  RequireOpen();
  const off_t position = lseek(AsDescriptor(m_handle), static_cast<off_t>(offset), kWhence[origin]);
  if (position < 0) ThrowCause(errno == EINVAL ? CF3DFileException::badSeek : FileCauseFromErrno(errno));
  return position;
}

void CF3DFile::SetLength(uint64_t length) {
  RequireOpen();
  // As on Windows the position ends at the new end.
  Seek(static_cast<int64_t>(length), begin);
  if (ftruncate(AsDescriptor(m_handle), static_cast<off_t>(length)) != 0) ThrowLastError();
}

uint64_t CF3DFile::GetLength() const {
  RequireOpen();
  struct stat info {};
  if (fstat(AsDescriptor(m_handle), &info) != 0) ThrowLastError();
  return static_cast<uint64_t>(info.st_size);
}

uint32_t CF3DFile::Read(void* buffer, uint32_t count) {
  if (count == 0) return 0;
  RequireOpen();
  // A disk read may return short; keep reading until the count or the end.
  uint32_t total = 0;
  while (total < count) {
    const ssize_t got = ::read(AsDescriptor(m_handle), static_cast<char*>(buffer) + total, count - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ThrowLastError();
    if (got == 0) break;
    total += static_cast<uint32_t>(got);
  }
  return total;
}

void CF3DFile::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  RequireOpen();
  uint32_t total = 0;
  while (total < count) {
    const ssize_t put = ::write(AsDescriptor(m_handle), static_cast<const char*>(buffer) + total, count - total);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) ThrowLastError();
    // The file system accepted nothing more: the disk is full.
    if (put == 0) ThrowCause(CF3DFileException::diskFull);
    total += static_cast<uint32_t>(put);
  }
}

void CF3DFile::LockRange(uint64_t position, uint64_t count) {
  RequireOpen();
  if (SetRecordLock(AsDescriptor(m_handle), F_WRLCK, position, count)) return;
  if (errno == EACCES || errno == EAGAIN) ThrowCause(CF3DFileException::lockViolation);
  ThrowLastError();
}

void CF3DFile::UnlockRange(uint64_t position, uint64_t count) {
  RequireOpen();
  if (!SetRecordLock(AsDescriptor(m_handle), F_UNLCK, position, count)) ThrowLastError();
}

void CF3DFile::Abort() {
  if (IsOpen()) ::close(AsDescriptor(m_handle));
  m_handle = kInvalidHandle;
}

void CF3DFile::Flush() {
  if (!IsOpen()) return;
  if (fsync(AsDescriptor(m_handle)) != 0 && errno != EINVAL) ThrowLastError();
}

void CF3DFile::Close() {
  int failure = 0;
  if (IsOpen() && ::close(AsDescriptor(m_handle)) != 0) failure = errno;
  m_handle = kInvalidHandle;
  if (failure) ThrowCause(FileCauseFromErrno(failure));
}

bool CF3DFile::GetStatus(SF3DFileStatus& status) const {
  struct stat info {};
  if (fstat(AsDescriptor(m_handle), &info) != 0) return false;
  status.path = m_path;
  status.size = static_cast<uint64_t>(info.st_size);
  status.lastWrite = FromTimespec(info.st_mtim);
  // POSIX has no creation time; the status change time is the nearest thing,
  // and a zero time falls back to the last write as on Windows.
  status.created = info.st_ctim.tv_sec ? FromTimespec(info.st_ctim) : status.lastWrite;
  status.lastAccess = info.st_atim.tv_sec ? FromTimespec(info.st_atim) : status.lastWrite;
  status.attributes = static_cast<uint32_t>(info.st_mode);
  return true;
}

}  // namespace corvane
