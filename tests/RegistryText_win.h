#pragma once
// Text values in the registry, as tests set up and read back what the
// programs store.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane::test {

// The value's text, or empty when it is missing or not text.
inline std::wstring GetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return L"";
  return text;
}

// Writes the value (creating the key); a failure fails the test.
inline void SetRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr), ERROR_SUCCESS);
  const LONG written = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  ASSERT_EQ(written, ERROR_SUCCESS);
}

}  // namespace corvane::test
