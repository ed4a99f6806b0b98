#include "base/WinModule.h"

#include "base/F3DFileName.h"

namespace corvane {

SSplitPath SplitModulePath(const std::wstring& fullPath) {
  SSplitPath parts;
  std::wstring rest = fullPath;
  if (rest.size() >= 2 && rest[1] == L':') {
    parts.drive = rest.substr(0, 2);
    rest.erase(0, 2);
  }
  const size_t lastSeparator = rest.find_last_of(L"\\/");
  std::wstring name = rest;
  if (lastSeparator != std::wstring::npos) {
    parts.directory = rest.substr(0, lastSeparator + 1);
    name = rest.substr(lastSeparator + 1);
  }
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) {
    parts.title = name.substr(0, dot);
    parts.extension = name.substr(dot);
  } else {
    parts.title = name;
  }
  return parts;
}

std::wstring ModuleFilePath() { return GetModuleFilePath(/*module=*/nullptr); }

CWinModule::CWinModule() : m_fullPath(ModuleFilePath()), m_parts(SplitModulePath(m_fullPath)) {}

}  // namespace corvane
