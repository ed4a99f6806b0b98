#pragma once
// A name under the Linux /tmp for files a test shares with a Linux program.
// /tmp is shared by every Wine slot, and each slot's wineserver hands out
// its own process ids, so an id alone can name another slot's file.
#include <windows.h>

#include <random>
#include <string>

namespace corvane::test {

inline std::wstring UnixTempName(const std::wstring& prefix) {
  return L"/tmp/" + prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(std::random_device{}());
}

// A Linux path as a Windows program under Wine sees it: "/tmp/x" is "Z:\tmp\x".
inline std::wstring UnixToWine(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + path;
}

}  // namespace corvane::test
