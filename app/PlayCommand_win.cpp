#include "app/PlayCommand.h"

#include "app/FlvDlg.h"
#include "app/PlayRoute.h"
#include "online/BrowserHost.h"
#include "base/ShellExecuteVerb.h"
#include "base/ShowMessage.h"
#include "settings/MultiLanguage.h"
#include "settings/RegKey_win.h"

namespace corvane {
namespace {

bool IsExistingFile(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool IsComClassRegistered(const std::wstring& classId) {
  const std::wstring key = L"CLSID\\{" + classId + L"}";
  CRegKey handle;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}

bool OpenWithDefaultHandler(HWND owner, const std::wstring& path) {
  DWORD error = ShellExecuteVerb(owner, L"open", path, SW_SHOWNORMAL);
  if (error == ERROR_NO_ASSOCIATION || error == ERROR_FILE_NOT_FOUND) {
    // Nothing is set up to open this type: let the user pick a program.
    if (ShellExecuteVerb(owner, L"openas", path, SW_SHOWNORMAL) == 0) return true;
  }
  if (error == 0) return true;
  ShowMessage(Translate(L"No program could be started to play this file:") + L"\n" + path, std::wstring(), owner);
  return false;
}

void PlayFile(HWND owner, const std::wstring& path) {
  if (!IsExistingFile(path)) return;
  const EPlayRoute route = ChoosePlayRoute(path, CBrowserHost::EngineAvailable(), &IsComClassRegistered);
  if (route == EPlayRoute::kPreviewWindow && CFlvDlg::Open(path)) return;
  OpenWithDefaultHandler(owner, path);
}

}  // namespace corvane
