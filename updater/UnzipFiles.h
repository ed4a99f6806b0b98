#pragma once
// The few file-system operations the unpacker needs, one implementation per
// platform (UnzipFiles_win.cpp, UnzipFiles_posix.cpp). Paths are in the
// unpacker's backslash form.
#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

enum class EFileKind { kMissing, kFile, kFolder };
EFileKind GetPathKind(const std::wstring& path);

// Whether the path itself is a link to elsewhere: a symbolic link, or on
// Windows any reparse point (a junction too). Such a path is not followed.
bool IsLinkPath(const std::wstring& path);

// One folder, whose parent exists.
bool MakeOneFolder(const std::wstring& path);

// How a file operation went. kBusy: another process has the file open in a
// way that forbids it (a sharing violation on Windows), which may pass.
enum class EFileOp { kDone, kBusy, kFailed };

// Whether an existing file can be opened for writing with no sharing (it
// cannot while a running program holds it).
EFileOp CanOverwriteFile(const std::wstring& path);

// Moves `from` over `to`, replacing it.
EFileOp ReplaceWithFile(const std::wstring& from, const std::wstring& to);

// Moves `from` to `to` only while nothing is at `to`: the system refuses an
// existing target in the same step (kFailed), so a file that appears there
// at any moment is never replaced.
EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to);

// Bytes the current user may still write on the volume of `folder`; 0 when
// that cannot be learnt.
uint64_t FreeBytesAt(const std::wstring& folder);

bool RemoveFile(const std::wstring& path);

// Removes a folder only when it is empty.
bool RemoveEmptyFolder(const std::wstring& path);

// The whole content of a small file (the unpack journal); false when it
// cannot be read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Creation and last-write time from a DOS date and time taken as local
// time; the last-access time stays.
bool SetFileDosTime(const std::wstring& path, uint32_t dosDate);

// A file being written: created (replacing any old one) with no sharing.
class COutputFile {
 public:
  COutputFile();
  ~COutputFile();
  COutputFile(const COutputFile&) = delete;
  COutputFile& operator=(const COutputFile&) = delete;

  bool Create(const std::wstring& path);
  // True only when every byte was written.
  bool Write(const void* data, uint32_t size);
  void Close();

 private:
  struct SImpl;
  std::unique_ptr<SImpl> m_impl;
};

}  // namespace corvane
