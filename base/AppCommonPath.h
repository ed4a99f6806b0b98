#pragma once
// The program's standard folders.
//
// The program folder is the folder of the running executable; the per-user
// data folder is "Corvane(tavrel)" under the user's application-data folder
// (natively: $XDG_CONFIG_HOME or ~/.config, then "Corvane(tavrel)/"; the
// environment variable CORVANE_USER_DIR names another per-user folder, for
// tests). The per-user folder and its "config" and "appdata"
// subfolders are created when the object is first used. Every folder path
// ends with the platform's separator.
#include <string>

#include "base/Singleton.h"

namespace corvane {

#ifdef _WIN32
constexpr wchar_t kPathSeparator = L'\\';
#else
constexpr wchar_t kPathSeparator = L'/';
#endif

// Kinds of derived configuration paths (see PathOfKind).
enum EPathKind : int {
  kPathUserConfig = 0,        // per-user folder + "config\"
  kPathProgramConfig = -1,    // program folder + "config\"
  kPathLanguageConfig = 1,    // program folder + "config\" + language name + "\"
  kPathDefaultsConfig = 2,    // program folder + "config\defaults\"
};

class CAppCommonPath : public TSingleton<CAppCommonPath, kPriorityAppCommonPath> {
 public:
  CAppCommonPath();

  const std::wstring& ProgramFolder() const { return m_programFolder; }
  const std::wstring& UserDataFolder() const { return m_userDataFolder; }

  // The path of one kind (EPathKind); any other kind gives an empty path.
  std::wstring PathOfKind(int kind) const;

  // The language manager keeps the current interface language name here
  // for kind 1.
  void SetCurrentLanguageName(const std::wstring& name) { m_languageName = name; }
  const std::wstring& CurrentLanguageName() const { return m_languageName; }

 private:
  std::wstring m_programFolder;
  std::wstring m_userDataFolder;
  std::wstring m_languageName;
};

// Platform pieces (AppCommonPath_win.cpp / _posix.cpp).
// The per-user data folder with a trailing separator.
std::wstring UserDataFolderPath();
// Creates the folder with all missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::wstring& folder);

}  // namespace corvane
