#include "app/DownloaderLookup.h"

#include <windows.h>

namespace corvane {
namespace {

std::wstring RegistryText(HKEY root, const std::wstring& key, const wchar_t* value) {
  wchar_t text[MAX_PATH * 2] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  // REG_SZ only: an expandable string is then expanded and returned too,
  // while asking for REG_EXPAND_SZ without "no expansion" fails outright.
  if (RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return text;
}

}  // namespace

std::wstring FindDownloader() {
  for (const std::wstring& id : DownloaderApplicationIds()) {
    const std::wstring key = L"SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\" + id;
    const std::wstring path =
        JoinProgramPath(RegistryText(HKEY_LOCAL_MACHINE, key, L"AppPath"), RegistryText(HKEY_LOCAL_MACHINE, key, L"AppName"));
    if (!path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  }
  for (const std::wstring& key : DownloaderProductKeys()) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      const std::wstring path = RegistryText(root, L"Software\\" + key, L"ProgLocation");
      if (!path.empty()) return path;
    }
  }
  return std::wstring();
}

}  // namespace corvane
