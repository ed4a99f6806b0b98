#include "settings/FilePreference.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "base/AppCommonPath.h"
#include "base/FsPath.h"
#include "base/TextConvert.h"
#include "settings/PreferenceFileFormat.h"

namespace corvane {
namespace {

const wchar_t kSettingsFileName[] = L"settings.ini";

}  // namespace

const std::wstring& CFilePreference::Location() {
  // Resolved on first use, not at static initialisation: the folders object
  // must not be made before the program has started.
  if (m_path.empty()) m_path = CAppCommonPath::Instance().PathOfKind(kPathUserConfig) + kSettingsFileName;
  return m_path;
}

bool CFilePreference::Begin() {
  const std::filesystem::path path = ToFsPath(Location());
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    // No file yet is an empty store; an unreadable one fails like an
    // unopenable registry key.
    std::error_code ec;
    const bool missing = !std::filesystem::exists(path, ec) && !ec;
    Table() = CPreferenceTable();
    return missing;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Table() = ParsePreferenceFile(text.str());
  return true;
}

bool CFilePreference::Commit() {
  const std::filesystem::path path = ToFsPath(Location());
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << FormatPreferenceFile(Table());
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temp, ec);
      return false;
    }
  }
  std::error_code renamed;
  std::filesystem::rename(temp, path, renamed);
  if (renamed) std::filesystem::remove(temp, ec);
  return !renamed;
}

}  // namespace corvane
