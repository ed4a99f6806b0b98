#include "base/AppCommonPath.h"

#include "base/WinModule.h"

namespace corvane {

CAppCommonPath::CAppCommonPath()
    : m_programFolder(CWinModule::Instance().Folder()),
      m_userDataFolder(UserDataFolderPath()) {
  // Failures are left to whoever later writes there: a missing folder then
  // shows up as a failing file operation with its own message.
  CreateFolderTree(m_userDataFolder);
  CreateFolderTree(m_userDataFolder + L"config" + kPathSeparator);
  CreateFolderTree(m_userDataFolder + L"appdata" + kPathSeparator);
}

std::wstring CAppCommonPath::PathOfKind(int kind) const {
  const std::wstring config = std::wstring(L"config") + kPathSeparator;
  switch (kind) {
    case kPathUserConfig:
      return m_userDataFolder + config;
    case kPathProgramConfig:
      return m_programFolder + config;
    case kPathLanguageConfig:
      return m_programFolder + config + m_languageName + kPathSeparator;
    case kPathDefaultsConfig:
      return m_programFolder + config + L"defaults" + kPathSeparator;
    default:
      return {};
  }
}

}  // namespace corvane
