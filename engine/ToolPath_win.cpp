#include "engine/ToolRunner.h"

#include <windows.h>

#include "base/AppCommonPath.h"

namespace corvane {

std::wstring GetToolPath() {
  const std::wstring path = CAppCommonPath::Instance().ProgramFolder() + L"ffmpeg.exe";
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return path;
}

}  // namespace corvane
