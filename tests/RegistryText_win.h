#pragma once
// Text values in the registry, as tests set up and read back what the
// programs store. `view` picks the 32- or 64-bit view of the machine's keys
// (KEY_WOW64_32KEY, KEY_WOW64_64KEY); 0 is this program's own.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/RegKey_win.h"

namespace corvane::test {

// The value's text, or empty when it is missing or not text.
inline std::wstring GetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, REGSAM view = 0) {
  CRegKey opened;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, opened.Put()) != ERROR_SUCCESS) return L"";
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  const LONG read = RegGetValueW(opened.Get(), nullptr, name, RRF_RT_REG_SZ, nullptr, text, &bytes);
  return read == ERROR_SUCCESS ? text : L"";
}

// Writes the value (creating the key); a failure fails the test.
inline void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value,
                            REGSAM view = 0) {
  CRegKey opened;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, opened.Put(), nullptr),
            ERROR_SUCCESS);
  const LONG written = RegSetValueExW(opened.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ASSERT_EQ(written, ERROR_SUCCESS);
}

// Removes `key` with everything below it from `view`; a missing key is fine.
inline void DeleteRegistryTree(HKEY root, const std::wstring& key, REGSAM view = 0) {
  const size_t split = key.find_last_of(L'\\');
  const std::wstring parent = split == std::wstring::npos ? std::wstring() : key.substr(0, split);
  const std::wstring leaf = split == std::wstring::npos ? key : key.substr(split + 1);
  CRegKey opened;
  if (RegOpenKeyExW(root, parent.c_str(), 0, KEY_ALL_ACCESS | view, opened.Put()) != ERROR_SUCCESS) return;
  RegDeleteTreeW(opened.Get(), leaf.c_str());
}

}  // namespace corvane::test
