#pragma once
// A full file path and its parts: drive, folder, name and extension.
#include <string>

namespace corvane {

// The four parts of a path as the platform's splitter yields them: drive
// ("C:" or empty), folder (with its leading and trailing separators), name,
// extension (with its point). Both '\' and '/' separate folders.
struct SPathParts {
  std::wstring drive;
  std::wstring folder;
  std::wstring name;
  std::wstring extension;
};
SPathParts SplitFilePath(const std::wstring& path);

class CF3DFileName {
 public:
  // Makes the path absolute against the current folder (at most 260
  // characters) and splits it. Throws CF3DSimpleTextException "Bad filename!"
  // after setting the last system error to the invalid-name code when it cannot.
  explicit CF3DFileName(const std::wstring& path);

  // The file of a module (nullptr: the running program).
  static CF3DFileName FromModule(void* module);

  const std::wstring& FullPath() const { return m_fullPath; }
  const std::wstring& Drive() const { return m_parts.drive; }
  const std::wstring& Folder() const { return m_parts.folder; }
  const std::wstring& Name() const { return m_parts.name; }
  const std::wstring& Extension() const { return m_parts.extension; }

  // Drive + folder: ends with a separator.
  std::wstring FolderPath() const { return m_parts.drive + m_parts.folder; }
  // Name + extension.
  std::wstring FileName() const { return m_parts.name + m_parts.extension; }
  // Name without extension.
  std::wstring Title() const { return m_parts.name; }

 private:
  std::wstring m_fullPath;
  SPathParts m_parts;
};

// Longest absolute path the splitter accepts, in characters.
constexpr size_t kMaxFullPath = 260;

// Platform parts (F3DFileName_win.cpp / F3DFileName_posix.cpp).
// Makes `path` absolute; false when it cannot (sets the last system error).
bool MakeAbsolutePath(const std::wstring& path, std::wstring& absolute);
// The file path of a module (nullptr: the running program); empty on failure.
std::wstring GetModuleFilePath(void* module);

}  // namespace corvane
