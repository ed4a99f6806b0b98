#include "base/F3DArchive.h"

#include <algorithm>
#include <cstring>

namespace corvane {

CF3DArchive::CF3DArchive(CF3DFile& file, EMode mode, size_t bufferSize)
    : m_file(file), m_mode(mode), m_buffer(std::max<size_t>(bufferSize, 16)) {}

CF3DArchive::~CF3DArchive() {
  try {
    Close();
  } catch (const CF3DException&) {
    // Nothing can be reported from a destructor; Close shows failures.
  }
}

void CF3DArchive::Throw(int32_t cause) const {
  throw CF3DArchiveException(cause, m_file.GetFilePath());
}

bool CF3DArchive::FillBuffer(size_t count) {
  if (m_end - m_begin >= count) return true;
  // Move what is left to the front, then top up from the file.
  std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
  m_end -= m_begin;
  m_begin = 0;
  if (count > m_buffer.size()) m_buffer.resize(count);
  while (m_end < count) {
    const uint32_t room = static_cast<uint32_t>(std::min<size_t>(m_buffer.size() - m_end, UINT32_MAX));
    const uint32_t got = m_file.Read(m_buffer.data() + m_end, room);
    if (got == 0) return false;
    m_end += got;
  }
  return true;
}

size_t CF3DArchive::Read(void* buffer, size_t count) {
  if (m_mode != load) Throw(CF3DArchiveException::writeOnly);
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    if (m_begin == m_end && !FillBuffer(1)) break;
    const size_t take = std::min(count - done, m_end - m_begin);
    std::memcpy(out + done, m_buffer.data() + m_begin, take);
    m_begin += take;
    done += take;
  }
  return done;
}

void CF3DArchive::ReadExact(void* buffer, size_t count) {
  if (Read(buffer, count) != count) Throw(CF3DArchiveException::endOfFile);
}

uint8_t CF3DArchive::ReadByte() {
  uint8_t value = 0;
  ReadExact(&value, 1);
  return value;
}

uint16_t CF3DArchive::ReadUInt16() {
  uint8_t bytes[2];
  ReadExact(bytes, 2);
  return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint32_t CF3DArchive::ReadUInt32() {
  uint8_t bytes[4];
  ReadExact(bytes, 4);
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void CF3DArchive::Write(const void* buffer, size_t count) {
  if (m_mode != store) Throw(CF3DArchiveException::readOnly);
  const uint8_t* in = static_cast<const uint8_t*>(buffer);
  while (count > 0) {
    if (m_end == m_buffer.size()) Flush();
    const size_t take = std::min(count, m_buffer.size() - m_end);
    std::memcpy(m_buffer.data() + m_end, in, take);
    m_end += take;
    in += take;
    count -= take;
  }
}

void CF3DArchive::WriteUInt16(uint16_t value) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  Write(bytes, 2);
}

void CF3DArchive::WriteUInt32(uint32_t value) {
  const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Write(bytes, 4);
}

void CF3DArchive::Flush() {
  if (m_mode != store || m_end == 0) return;
  const size_t pending = m_end;
  // Forget the bytes first so a failed write is not repeated by the destructor.
  m_end = 0;
  m_file.Write(m_buffer.data(), static_cast<uint32_t>(pending));
}

void CF3DArchive::Close() {
  if (m_closed) return;
  m_closed = true;
  Flush();
}

}  // namespace corvane
