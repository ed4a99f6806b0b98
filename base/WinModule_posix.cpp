#include "base/WinModule.h"

#include <unistd.h>

#include <string>

#include "base/TextConvert.h"

namespace corvane {

std::wstring ModuleFilePath() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  buffer.resize(static_cast<size_t>(n));
  return Utf8ToWide(buffer);
}

}  // namespace corvane
