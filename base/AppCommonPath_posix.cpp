#include "base/AppCommonPath.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "base/TextConvert.h"

namespace corvane {
namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ConfigHome() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return WithSlash(xdg);
  if (const char* home = std::getenv("HOME"); home && *home) return WithSlash(home) + ".config/";
  return "/tmp/";
}

}  // namespace

std::wstring UserDataFolderPath() {
  if (const char* overridden = std::getenv("CORVANE_USER_DIR"); overridden && *overridden)
    return Utf8ToWide(WithSlash(overridden));
  return Utf8ToWide(ConfigHome() + "Corvane(tavrel)/");
}

bool CreateFolderTree(const std::wstring& folder) {
  const std::string path = WideToUtf8(folder);
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace corvane
