#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "base/F3DFileName.h"
#include "base/TextConvert.h"

namespace corvane {
namespace {

// Resolves "." and ".." lexically, as the Windows path API does, without
// touching the file system (the file need not exist).
std::wstring NormalisePath(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 1;  // path is absolute: skip the leading '/'
  while (start <= path.size()) {
    size_t end = path.find(L'/', start);
    if (end == std::wstring::npos) end = path.size();
    const std::wstring part = path.substr(start, end - start);
    if (part == L"..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != L".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::wstring out;
  for (const std::wstring& part : parts) out += L"/" + part;
  // Keep a trailing separator: it names a folder.
  const bool trailing = path.size() > 1 && path.back() == L'/';
  if (out.empty() || trailing) out += L"/";
  return out;
}

}  // namespace

bool MakeAbsolutePath(const std::wstring& path, std::wstring& absolute) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) {
    errno = EINVAL;
    return false;
  }
  std::wstring joined = path;
  if (path[0] != L'/') {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return false;
    joined = Utf8ToWide(cwd) + L"/" + path;
  }
  const std::wstring normal = NormalisePath(joined);
  if (normal.size() >= kMaxFullPath) {
    errno = EINVAL;
    return false;
  }
  absolute = normal;
  return true;
}

std::wstring GetModuleFilePath(void* module) {
  // Natively there is only the running program.
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return {};
  return Utf8ToWide(std::string(buffer, static_cast<size_t>(length)));
}

}  // namespace corvane
