#include "updater/UnzipFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "base/TextConvert.h"
#include "updater/UnzipPaths.h"

namespace corvane {
namespace {

// The unpacker's backslash paths as this system's file names.
std::string NativePath(const std::wstring& path) {
  std::wstring slashed = path;
  std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
  return WideToUtf8(slashed);
}

// The result of a call that failed with errno now.
EFileOp FailureKind() { return errno == EBUSY || errno == ETXTBSY ? EFileOp::kBusy : EFileOp::kFailed; }

}  // namespace

EFileKind GetPathKind(const std::wstring& path) {
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) != 0) return EFileKind::kMissing;
  return S_ISDIR(info.st_mode) ? EFileKind::kFolder : EFileKind::kFile;
}

bool IsLinkPath(const std::wstring& path) {
  struct stat info {};
  return lstat(NativePath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool MakeOneFolder(const std::wstring& path) {
  return mkdir(NativePath(path).c_str(), 0777) == 0 || errno == EEXIST;
}

EFileOp CanOverwriteFile(const std::wstring& path) {
  return access(NativePath(path).c_str(), W_OK) == 0 ? EFileOp::kDone : FailureKind();
}

EFileOp ReplaceWithFile(const std::wstring& from, const std::wstring& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? EFileOp::kDone : FailureKind();
}

EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to) {
  const std::string source = NativePath(from), target = NativePath(to);
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return EFileOp::kDone;
  // A file system without the flag (EINVAL) or a kernel without the call
  // (ENOSYS): a hard link refuses an existing name as well (EEXIST), and the
  // old name goes once the new one is there.
  if (errno != EINVAL && errno != ENOSYS) return FailureKind();
  if (link(source.c_str(), target.c_str()) != 0) return FailureKind();
  unlink(source.c_str());
  return EFileOp::kDone;
}

uint64_t FreeBytesAt(const std::wstring& folder) {
  struct statvfs info {};
  if (statvfs(NativePath(folder).c_str(), &info) != 0) return 0;
  return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
}

bool RemoveFile(const std::wstring& path) { return unlink(NativePath(path).c_str()) == 0; }

bool RemoveEmptyFolder(const std::wstring& path) { return rmdir(NativePath(path).c_str()) == 0; }

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.clear();
  char piece[4096];
  ssize_t n = 0;
  while ((n = read(fd, piece, sizeof piece)) > 0) bytes.append(piece, static_cast<size_t>(n));
  close(fd);
  return n == 0;
}

bool SetFileDosTime(const std::wstring& path, uint32_t dosDate) {
  const SDosDateTime dos = DecodeDosDateTime(dosDate);
  std::tm local{};
  local.tm_year = dos.year - 1900;
  local.tm_mon = dos.month - 1;
  local.tm_mday = dos.day;
  local.tm_hour = dos.hour;
  local.tm_min = dos.minute;
  local.tm_sec = dos.second;
  local.tm_isdst = -1;  // let the time zone rules decide
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return false;
  const struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
  return utimensat(AT_FDCWD, NativePath(path).c_str(), times, 0) == 0;
}

struct COutputFile::SImpl {
  int fd = -1;
};

COutputFile::COutputFile() : m_impl(std::make_unique<SImpl>()) {}
COutputFile::~COutputFile() { Close(); }

bool COutputFile::Create(const std::wstring& path) {
  Close();
  m_impl->fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return m_impl->fd >= 0;
}

bool COutputFile::Write(const void* data, uint32_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(m_impl->fd, bytes, size);
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<uint32_t>(n);
  }
  return true;
}

void COutputFile::Close() {
  if (m_impl && m_impl->fd >= 0) close(m_impl->fd);
  if (m_impl) m_impl->fd = -1;
}

}  // namespace corvane
