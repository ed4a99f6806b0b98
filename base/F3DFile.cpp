#include "base/F3DFile.h"

#include "base/F3DFileName.h"

namespace corvane {

CF3DFile::CF3DFile(FileHandle handle, bool closeOnDelete)
    : m_handle(handle), m_closeOnDelete(closeOnDelete) {}

CF3DFile::~CF3DFile() {
  if (IsOpen() && m_closeOnDelete) Abort();
}

std::wstring CF3DFile::GetFileName() const {
  const SPathParts parts = SplitFilePath(m_path);
  return parts.name + parts.extension;
}

std::wstring CF3DFile::GetFileTitle() const { return SplitFilePath(m_path).name; }

std::wstring CF3DFile::GetFilePath() const { return m_path; }

void CF3DFile::SetFilePath(const std::wstring& path) { m_path = path; }

uint8_t* CF3DFile::GetBufferPtr() const { return nullptr; }

void CF3DFile::ThrowCause(int32_t cause) const { throw CF3DFileException(cause, m_path); }

void CF3DFile::RequireOpen() const {
  if (!IsOpen()) ThrowCause(CF3DFileException::invalidFile);
}

}  // namespace corvane
