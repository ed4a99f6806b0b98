#include "base/F3DMemFile.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace corvane {

CF3DMemFile::CF3DMemFile(size_t growBy) : m_growBy(growBy) {}

CF3DMemFile::CF3DMemFile(uint8_t* buffer, size_t size, size_t growBy)
    : m_growBy(growBy),
      m_bufferSize(size),
      m_dataSize(growBy == 0 ? size : 0),
      m_buffer(buffer),
      m_ownsBuffer(false) {}

CF3DMemFile::~CF3DMemFile() { ReleaseBuffer(); }

void CF3DMemFile::ReleaseBuffer() {
  if (m_ownsBuffer && m_buffer) Free(m_buffer);
  m_buffer = nullptr;
  m_bufferSize = 0;
  m_dataSize = 0;
  m_position = 0;
  m_ownsBuffer = true;
}

uint8_t* CF3DMemFile::Alloc(size_t bytes) { return static_cast<uint8_t*>(std::malloc(bytes)); }

uint8_t* CF3DMemFile::Realloc(uint8_t* block, size_t bytes) {
  return static_cast<uint8_t*>(std::realloc(block, bytes));
}

void CF3DMemFile::Memcpy(uint8_t* target, const uint8_t* source, size_t bytes) {
  if (bytes) std::memcpy(target, source, bytes);
}

void CF3DMemFile::Free(uint8_t* block) { std::free(block); }

void CF3DMemFile::GrowFile(size_t needed) {
  if (needed <= m_bufferSize) return;
  if (m_growBy == 0) throw CF3DMemoryException();
  // The old size plus the smallest multiple of grow-by that reaches the need.
  const size_t steps = (needed - m_bufferSize + m_growBy - 1) / m_growBy;
  if (steps > (std::numeric_limits<size_t>::max() - m_bufferSize) / m_growBy) throw CF3DMemoryException();
  const size_t newSize = m_bufferSize + steps * m_growBy;

  uint8_t* grown = nullptr;
  if (m_ownsBuffer) {
    grown = m_buffer ? Realloc(m_buffer, newSize) : Alloc(newSize);
    if (!grown) throw CF3DMemoryException();
  } else {
    // The caller's memory cannot be reallocated: continue in an owned copy.
    grown = Alloc(newSize);
    if (!grown) throw CF3DMemoryException();
    Memcpy(grown, m_buffer, m_dataSize);
    m_ownsBuffer = true;
  }
  m_buffer = grown;
  m_bufferSize = newSize;
}

uint64_t CF3DMemFile::GetPosition() const { return m_position; }

bool CF3DMemFile::Open(const std::wstring& path, uint32_t flags, CF3DFileException* error) {
  // A memory file has no path to open.
  if (error) {
    error->SetCause(CF3DFileException::invalidParameter);
    error->SetFileName(path);
  }
  m_path = path;
  return false;
}

std::unique_ptr<CF3DFile> CF3DMemFile::Duplicate() const { throw CF3DNotSupportedException(); }

int64_t CF3DMemFile::Seek(int64_t offset, int origin) {
  int64_t base = 0;
  switch (origin) {
    case begin: base = 0; break;
    case current: base = static_cast<int64_t>(m_position); break;
    case end: base = static_cast<int64_t>(m_dataSize); break;
    default: return -1;
  }
  if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > INT64_MAX - base))
    throw CF3DFileException(CF3DFileException::badSeek);
  const int64_t position = base + offset;
  if (static_cast<uint64_t>(position) > std::numeric_limits<size_t>::max())
    throw CF3DFileException(CF3DFileException::badSeek);
  m_position = static_cast<size_t>(position);
  return position;
}

void CF3DMemFile::SetLength(uint64_t length) {
  if (length > std::numeric_limits<size_t>::max()) throw CF3DMemoryException();
  const size_t newLength = static_cast<size_t>(length);
  GrowFile(newLength);
  // Bytes that come into the file by lengthening it read as zeros.
  if (newLength > m_dataSize) std::memset(m_buffer + m_dataSize, 0, newLength - m_dataSize);
  if (m_position > newLength) m_position = newLength;
  m_dataSize = newLength;
}

uint64_t CF3DMemFile::GetLength() const { return m_dataSize; }

uint32_t CF3DMemFile::Read(void* buffer, uint32_t count) {
  if (count == 0 || m_position >= m_dataSize) return 0;
  const size_t available = m_dataSize - m_position;
  const uint32_t take = available < count ? static_cast<uint32_t>(available) : count;
  Memcpy(static_cast<uint8_t*>(buffer), m_buffer + m_position, take);
  m_position += take;
  return take;
}

void CF3DMemFile::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  if (m_position > std::numeric_limits<size_t>::max() - count) throw CF3DMemoryException();
  const size_t end = m_position + count;
  GrowFile(end);
  // A write after a seek beyond the end leaves no stale bytes in the gap.
  if (m_position > m_dataSize) std::memset(m_buffer + m_dataSize, 0, m_position - m_dataSize);
  Memcpy(m_buffer + m_position, static_cast<const uint8_t*>(buffer), count);
  m_position = end;
  if (end > m_dataSize) m_dataSize = end;
}

void CF3DMemFile::LockRange(uint64_t, uint64_t) { throw CF3DNotSupportedException(); }

void CF3DMemFile::UnlockRange(uint64_t, uint64_t) { throw CF3DNotSupportedException(); }

void CF3DMemFile::Abort() { ReleaseBuffer(); }

void CF3DMemFile::Flush() {}

void CF3DMemFile::Close() { ReleaseBuffer(); }

uint8_t* CF3DMemFile::GetBufferPtr() const { return m_buffer; }

}  // namespace corvane
