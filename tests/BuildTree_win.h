#pragma once
// Files of the build tree, seen from a Windows test program under Wine
// (which maps the Unix root to drive Z:).
#include <windows.h>

#include <string>

#include "base/TextConvert.h"

namespace corvane {

inline std::wstring BuildTreePath(const char* relative) {
  std::wstring path = L"Z:" + Utf8ToWide(CORVANE_BUILD_DIR) + L"/" + Utf8ToWide(relative);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

inline bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Debian's ffmpeg reached through the Winelib bridge, beside Corvane.exe.
inline std::wstring BridgeToolPath() { return BuildTreePath("app/ffmpeg.exe"); }

// The real Windows ffmpeg.exe that the installer ships.
inline std::wstring WindowsToolPath() { return BuildTreePath("windows-ffmpeg/ffmpeg.exe"); }

}  // namespace corvane
