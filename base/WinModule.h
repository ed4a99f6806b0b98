#pragma once
// The running program's file, split into drive, directory, title and
// extension (natively the drive is empty and the separator is '/').
#include <string>

#include "base/Singleton.h"

namespace corvane {

struct SSplitPath {
  std::wstring drive;      // "C:" (empty natively or for UNC paths)
  std::wstring directory;  // "\Program Files\Corvane\" (with both separators)
  std::wstring title;      // "Corvane"
  std::wstring extension;  // ".exe" (with the dot; empty when none)
};

// Splits a full path; both '\' and '/' count as separators.
SSplitPath SplitModulePath(const std::wstring& fullPath);

class CWinModule : public TSingleton<CWinModule, kPriorityWinModule> {
 public:
  CWinModule();

  const std::wstring& FullPath() const { return m_fullPath; }
  const SSplitPath& Parts() const { return m_parts; }
  // Drive + directory: the program folder, ending with a separator.
  std::wstring Folder() const { return m_parts.drive + m_parts.directory; }

 private:
  std::wstring m_fullPath;
  SSplitPath m_parts;
};

// The running program's full file path.
std::wstring ModuleFilePath();

}  // namespace corvane
