#include "base/AppCommonPath.h"

#include <windows.h>
#include <shlobj.h>

namespace corvane {

std::wstring UserDataFolderPath() {
  wchar_t appData[MAX_PATH] = {};
  std::wstring root;
  if (SUCCEEDED(SHGetFolderPathW(/*hwnd=*/nullptr, CSIDL_APPDATA, /*token=*/nullptr, SHGFP_TYPE_CURRENT, appData)))
    root = std::wstring(appData) + L"\\";
  else
    root = L"c:\\AppData\\";
  return root + L"Corvane(tavrel)\\";
}

bool CreateFolderTree(const std::wstring& folder) {
  // SHCreateDirectoryExW makes every missing parent; it wants no trailing
  // separator on some systems, so strip it.
  std::wstring path = folder;
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  const int rc = SHCreateDirectoryExW(/*hwnd=*/nullptr, path.c_str(), /*security=*/nullptr);
  if (rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace corvane
