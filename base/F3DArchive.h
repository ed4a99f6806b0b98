#pragma once
// A buffered reader or writer over a CF3DFile.
//
// A loading archive reads through its buffer and raises CF3DArchiveException
// cause 3 (past the end) when an exact read cannot get all the bytes asked
// for; a storing archive collects writes and passes them on in blocks. Using
// one in the wrong direction raises cause 2 (writing to a reading archive) or
// 4 (reading from a writing one). The file must outlive the archive.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/F3DFile.h"

namespace corvane {

class CF3DArchive {
 public:
  enum EMode { load, store };

  CF3DArchive(CF3DFile& file, EMode mode, size_t bufferSize = 4096);
  // A storing archive writes what it still holds; failures are swallowed
  // here (call Close to see them).
  ~CF3DArchive();
  CF3DArchive(const CF3DArchive&) = delete;
  CF3DArchive& operator=(const CF3DArchive&) = delete;

  bool IsLoading() const { return m_mode == load; }

  // Reads up to `count` bytes; fewer only at the end of the file.
  size_t Read(void* buffer, size_t count);
  // Reads exactly `count` bytes or throws cause 3.
  void ReadExact(void* buffer, size_t count);
  uint8_t ReadByte();
  uint16_t ReadUInt16();  // little-endian, as written by WriteUInt16
  uint32_t ReadUInt32();

  void Write(const void* buffer, size_t count);
  void WriteByte(uint8_t value) { Write(&value, 1); }
  void WriteUInt16(uint16_t value);
  void WriteUInt32(uint32_t value);

  // Passes buffered output to the file (storing archive).
  void Flush();
  // Flushes a storing archive; the file stays open.
  void Close();

 private:
  // Makes at least `count` bytes available in the buffer; false at the end.
  bool FillBuffer(size_t count);
  [[noreturn]] void Throw(int32_t cause) const;

  CF3DFile& m_file;
  EMode m_mode;
  std::vector<uint8_t> m_buffer;
  size_t m_begin = 0;  // next unread byte (load) - unused when storing
  size_t m_end = 0;    // end of valid bytes
  bool m_closed = false;
};

}  // namespace corvane
