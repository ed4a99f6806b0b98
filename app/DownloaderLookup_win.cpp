#include "app/DownloaderLookup.h"

#include <windows.h>

#include "settings/RegKey_win.h"

namespace corvane {
namespace {

// A 64-bit downloader registers in the machine's 64-bit view, a 32-bit one
// in the 32-bit view (HKLM\SOFTWARE\WOW6432Node on 64-bit Windows), and a
// 64-bit program sees only the first unless it asks. On 32-bit Windows both
// flags are ignored and name the one view there is.
constexpr REGSAM kRegistryViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

std::wstring RegistryText(HKEY root, const std::wstring& key, const wchar_t* value, REGSAM view) {
  CRegKey opened;
  if (RegOpenKeyExW(root, key.c_str(), /*options=*/0, KEY_QUERY_VALUE | view, opened.Put()) != ERROR_SUCCESS) {
    return std::wstring();
  }
  wchar_t text[MAX_PATH * 2] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  // REG_SZ only: an expandable string is then expanded and returned too,
  // while asking for REG_EXPAND_SZ without "no expansion" fails outright.
  if (RegGetValueW(opened.Get(), /*subKey=*/nullptr, value, RRF_RT_REG_SZ, /*type=*/nullptr, text, &bytes) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return text;
}

// The program of an elevation-policy entry, when it names an existing file.
std::wstring PolicyProgram(const std::wstring& id, REGSAM view) {
  const std::wstring key = L"SOFTWARE\\Microsoft\\Internet Explorer\\Low Rights\\ElevationPolicy\\" + id;
  const std::wstring path = JoinProgramPath(RegistryText(HKEY_LOCAL_MACHINE, key, L"AppPath", view),
                                            RegistryText(HKEY_LOCAL_MACHINE, key, L"AppName", view));
  if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::wstring();
  return path;
}

}  // namespace

std::wstring FindDownloader() {
  for (const std::wstring& id : DownloaderApplicationIds()) {
    for (REGSAM view : kRegistryViews) {
      const std::wstring path = PolicyProgram(id, view);
      if (!path.empty()) return path;
    }
  }
  for (const std::wstring& key : DownloaderProductKeys()) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (REGSAM view : kRegistryViews) {
        const std::wstring path = UnquotedProgramPath(RegistryText(root, L"Software\\" + key, L"ProgLocation", view));
        if (!path.empty()) return path;
      }
    }
  }
  return std::wstring();
}

}  // namespace corvane
