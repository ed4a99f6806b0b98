#pragma once
// The file operations of an all-or-nothing unpack, behind one interface so
// that tests can make any of them fail (or stop the run half-way) and then
// check what the folder looks like.
//
// CUnpackFileSystem is the real one; paths are in the unpacker's backslash
// form.
#include <cstdint>
#include <string>

#include "updater/UnzipFiles.h"

namespace corvane {

class CUnzipper;

class IUnpackFileSystem {
 public:
  virtual ~IUnpackFileSystem() = default;

  virtual EFileKind PathKind(const std::wstring& path) = 0;
  // Whether the path is a junction or link (not followed to find out).
  virtual bool IsLink(const std::wstring& path) = 0;
  virtual bool MakeFolder(const std::wstring& path) = 0;   // one level
  virtual bool RemoveFolder(const std::wstring& path) = 0;  // only when empty
  // Whether the file can be replaced now; kBusy while another process holds
  // it open (a running program, a virus scanner, the search indexer).
  virtual EFileOp CanOverwrite(const std::wstring& path) = 0;
  // Renames `from` to `to`, replacing `to`; kBusy as above.
  virtual EFileOp Move(const std::wstring& from, const std::wstring& to) = 0;
  // Renames `from` to `to` only while nothing is at `to` (kFailed when
  // something is); kBusy as above.
  virtual EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool Remove(const std::wstring& path) = 0;
  virtual bool WriteWholeFile(const std::wstring& path, const std::string& bytes) = 0;
  virtual bool ReadWholeFile(const std::wstring& path, std::string& bytes) = 0;
  // Writes the archive's current entry to `path` with the entry's time
  // stamp; false when the data cannot be written or fails its CRC.
  virtual bool ExtractEntry(CUnzipper& archive, const std::wstring& path, uint32_t dosDate) = 0;
  // Bytes that may still be written on the volume of `folder` (0: unknown).
  virtual uint64_t FreeSpace(const std::wstring& folder) = 0;
  // The pause before a busy file is tried again.
  virtual void Wait(uint32_t ms) = 0;
};

class CUnpackFileSystem : public IUnpackFileSystem {
 public:
  EFileKind PathKind(const std::wstring& path) override;
  bool IsLink(const std::wstring& path) override;
  bool MakeFolder(const std::wstring& path) override;
  bool RemoveFolder(const std::wstring& path) override;
  EFileOp CanOverwrite(const std::wstring& path) override;
  EFileOp Move(const std::wstring& from, const std::wstring& to) override;
  EFileOp MoveToFreeName(const std::wstring& from, const std::wstring& to) override;
  bool Remove(const std::wstring& path) override;
  bool WriteWholeFile(const std::wstring& path, const std::string& bytes) override;
  bool ReadWholeFile(const std::wstring& path, std::string& bytes) override;
  bool ExtractEntry(CUnzipper& archive, const std::wstring& path, uint32_t dosDate) override;
  uint64_t FreeSpace(const std::wstring& folder) override;
  void Wait(uint32_t ms) override;
};

}  // namespace corvane
