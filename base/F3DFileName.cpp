#include "base/F3DFileName.h"

#include "base/F3DException.h"

namespace corvane {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

SPathParts SplitFilePath(const std::wstring& path) {
  SPathParts parts;
  size_t start = 0;
  if (path.size() >= 2 && path[1] == L':') {
    parts.drive = path.substr(0, 2);
    start = 2;
  }
  size_t lastSeparator = std::wstring::npos;
  for (size_t i = start; i < path.size(); ++i) {
    if (IsSeparator(path[i])) lastSeparator = i;
  }
  size_t nameStart = start;
  if (lastSeparator != std::wstring::npos) {
    parts.folder = path.substr(start, lastSeparator + 1 - start);
    nameStart = lastSeparator + 1;
  }
  const std::wstring fileName = path.substr(nameStart);
  const size_t dot = fileName.rfind(L'.');
  if (dot == std::wstring::npos) {
    parts.name = fileName;
  } else {
    parts.name = fileName.substr(0, dot);
    parts.extension = fileName.substr(dot);
  }
  return parts;
}

CF3DFileName::CF3DFileName(const std::wstring& path) {
  if (!MakeAbsolutePath(path, m_fullPath)) throw CF3DSimpleTextException(L"Bad filename!");
  m_parts = SplitFilePath(m_fullPath);
}

CF3DFileName CF3DFileName::FromModule(void* module) {
  return CF3DFileName(GetModuleFilePath(module));
}

}  // namespace corvane
