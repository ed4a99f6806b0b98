#pragma once
// Scratch files for the foundation's tests: a private folder per test that is
// removed afterwards, and whole-file reads and writes in bytes.
#include <filesystem>
#include <string>

namespace corvane::testing {

class CScratchFolder {
 public:
  CScratchFolder();
  ~CScratchFolder();
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;

  // The wide path of `name` inside the folder.
  std::wstring PathOf(const std::wstring& name) const;
  const std::filesystem::path& Folder() const { return m_folder; }

 private:
  std::filesystem::path m_folder;
};

std::string ReadWholeFile(const std::wstring& path);
void WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace corvane::testing
