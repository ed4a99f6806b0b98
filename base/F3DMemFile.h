#pragma once
// A file in memory with the interface of CF3DFile.
//
// The buffer is either owned (allocated by the object, grown in steps of
// grow-by bytes, freed by Close and destruction) or attached (the caller's
// memory, never freed or reallocated here; growing beyond it moves the data
// into an owned copy and leaves the caller's memory as it was).
#include <cstddef>

#include "base/F3DFile.h"

namespace corvane {

class CF3DMemFile : public CF3DFile {
 public:
  explicit CF3DMemFile(size_t growBy = 1024);
  // Attaches `buffer`; the data size is the whole buffer when growBy is 0
  // (a fixed block to read), else 0 (an empty block to write into).
  CF3DMemFile(uint8_t* buffer, size_t size, size_t growBy);
  ~CF3DMemFile() override;

  uint64_t GetPosition() const override;
  bool Open(const std::wstring& path, uint32_t flags, CF3DFileException* error = nullptr) override;
  std::unique_ptr<CF3DFile> Duplicate() const override;
  int64_t Seek(int64_t offset, int origin) override;
  void SetLength(uint64_t length) override;
  uint64_t GetLength() const override;
  uint32_t Read(void* buffer, uint32_t count) override;
  void Write(const void* buffer, uint32_t count) override;
  void LockRange(uint64_t position, uint64_t count) override;
  void UnlockRange(uint64_t position, uint64_t count) override;
  void Abort() override;
  void Flush() override;
  void Close() override;
  uint8_t* GetBufferPtr() const override;

  size_t BufferSize() const { return m_bufferSize; }
  size_t GrowBy() const { return m_growBy; }
  bool OwnsBuffer() const { return m_ownsBuffer; }

 protected:
  // Memory primitives; a derived class may put the data elsewhere.
  virtual uint8_t* Alloc(size_t bytes);
  virtual uint8_t* Realloc(uint8_t* block, size_t bytes);
  virtual void Memcpy(uint8_t* target, const uint8_t* source, size_t bytes);
  virtual void Free(uint8_t* block);
  // Makes the buffer at least `needed` bytes; throws CF3DMemoryException.
  virtual void GrowFile(size_t needed);

 private:
  void ReleaseBuffer();

  size_t m_growBy;
  size_t m_position = 0;
  size_t m_bufferSize = 0;
  size_t m_dataSize = 0;
  uint8_t* m_buffer = nullptr;
  bool m_ownsBuffer = true;
};

}  // namespace corvane
