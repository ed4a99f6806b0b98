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
  const LONG written = RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ASSERT_EQ(written, ERROR_SUCCESS);
}

}  // namespace corvane::test
