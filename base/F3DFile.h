#pragma once
// A file over an operating-system file handle (a Windows HANDLE, a POSIX
// descriptor natively).
//
// Every failing operation throws CF3DFileException with the cause mapped from
// the system error and the stored path, except Open (returns false and fills
// an optional exception record) and Abort (never throws). Not synchronised:
// one thread at a time.
//
// Sharing modes: natively there is no equivalent of Windows' share modes, so
// the sharing bits are accepted and ignored; lock range uses POSIX record
// locks, which only bind other processes that also lock.
#include <cstdint>
#include <memory>
#include <string>

#include "base/F3DDateTime.h"
#include "base/F3DException.h"

namespace corvane {

// What get status reports about an open file.
struct SF3DFileStatus {
  std::wstring path;
  uint64_t size = 0;
  CF3DDateTime created;     // last-write time when the file system has none
  CF3DDateTime lastAccess;  // last-write time when the file system has none
  CF3DDateTime lastWrite;
  uint32_t attributes = 0;  // Windows attribute bits; natively the st_mode
};

class CF3DFile {
 public:
  // Open flags.
  enum EOpenFlags : uint32_t {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
  };
  enum ESeekOrigin { begin = 0, current = 1, end = 2 };

  // The handle type as a number: a HANDLE's bits on Windows, a descriptor natively.
  using FileHandle = intptr_t;
  static constexpr FileHandle kInvalidHandle = -1;

  CF3DFile() = default;
  // Wraps an open handle; closeOnDelete tells whether destruction closes it.
  CF3DFile(FileHandle handle, bool closeOnDelete);
  virtual ~CF3DFile();
  CF3DFile(const CF3DFile&) = delete;
  CF3DFile& operator=(const CF3DFile&) = delete;

  virtual uint64_t GetPosition() const;
  virtual std::wstring GetFileName() const;   // name and extension of the stored path
  virtual std::wstring GetFileTitle() const;  // name without extension
  virtual std::wstring GetFilePath() const;
  virtual void SetFilePath(const std::wstring& path);
  // The stored path is replaced by `path` whatever the outcome.
  virtual bool Open(const std::wstring& path, uint32_t flags, CF3DFileException* error = nullptr);
  virtual std::unique_ptr<CF3DFile> Duplicate() const;
  virtual int64_t Seek(int64_t offset, int origin);
  virtual void SetLength(uint64_t length);
  virtual uint64_t GetLength() const;
  virtual uint32_t Read(void* buffer, uint32_t count);
  virtual void Write(const void* buffer, uint32_t count);
  virtual void LockRange(uint64_t position, uint64_t count);
  virtual void UnlockRange(uint64_t position, uint64_t count);
  virtual void Abort();
  virtual void Flush();
  virtual void Close();
  // The memory behind the file; none for a disk file.
  virtual uint8_t* GetBufferPtr() const;

  bool IsOpen() const { return m_handle != kInvalidHandle; }
  FileHandle Handle() const { return m_handle; }
  bool GetStatus(SF3DFileStatus& status) const;

  uint64_t SeekToEnd() { return static_cast<uint64_t>(Seek(0, end)); }
  void SeekToBegin() { Seek(0, begin); }

 protected:
  // Throws CF3DFileException for the last system error and the stored path.
  [[noreturn]] void ThrowLastError() const;
  [[noreturn]] void ThrowCause(int32_t cause) const;
  // Throws cause 6 (invalid handle) when the file is closed.
  void RequireOpen() const;

  FileHandle m_handle = kInvalidHandle;
  bool m_closeOnDelete = true;
  std::wstring m_path;
};

}  // namespace corvane
