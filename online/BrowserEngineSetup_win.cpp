#include "online/BrowserEngineSetup.h"

#include <windows.h>
#include <urlmon.h>

#include <string>

#include "base/F3DLogHTML.h"
#include "base/WinModule.h"

namespace corvane {
namespace {

constexpr DWORD kBrowserDocumentMode = 11001;
// One value per program file name.
constexpr wchar_t kBrowserEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

void LogFailure(const wchar_t* what, long code) {
  CF3DLogHTML::Instance().LogFormat(kLogWarn, L"Web panel: %ls failed (0x%08lx)", what,
                                    static_cast<unsigned long>(code));
}

void SetDocumentMode() {
  const SSplitPath& parts = CWinModule::Instance().Parts();
  const std::wstring fileName = parts.title + parts.extension;
  const DWORD mode = kBrowserDocumentMode;
  // HKCU\Software is one key for 32- and 64-bit programs alike.
  const LSTATUS written = RegSetKeyValueW(HKEY_CURRENT_USER, kBrowserEmulationKey, fileName.c_str(), REG_DWORD,
                                          &mode, sizeof mode);
  if (written != ERROR_SUCCESS) LogFailure(L"setting the document mode", written);
}

void DisableNavigationSounds() {
  const HRESULT result =
      CoInternetSetFeatureEnabled(FEATURE_DISABLE_NAVIGATION_SOUNDS, SET_FEATURE_ON_PROCESS, /*enable=*/TRUE);
  if (FAILED(result)) LogFailure(L"turning off the navigation sounds", result);
}

}  // namespace

void PrepareBrowserEngine() {
  SetDocumentMode();
  DisableNavigationSounds();
}

}  // namespace corvane
