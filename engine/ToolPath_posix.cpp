// Natively the tool is Debian's ffmpeg (or the one CORVANE_FFMPEG names).
#include "engine/ToolRunner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "base/TextConvert.h"

namespace corvane {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

std::string FindOnSearchPath(const std::string& name) {
  const char* searchPath = std::getenv("PATH");
  std::istringstream folders(searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

}  // namespace

std::wstring GetToolPath() {
  const char* named = std::getenv("CORVANE_FFMPEG");
  if (named && IsExecutableFile(named)) return Utf8ToWide(named);
  if (IsExecutableFile("/usr/bin/ffmpeg")) return L"/usr/bin/ffmpeg";
  return Utf8ToWide(FindOnSearchPath("ffmpeg"));
}

}  // namespace corvane
