#include "settings/RegPreference.h"

#include <optional>

#include "settings/RegKey_win.h"
#include "settings/RegistryRoot.h"

namespace corvane {
namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

bool CreateSubKey(HKEY parent, const wchar_t* name, CRegKey& out) {
  return RegCreateKeyExW(parent, name, /*reserved=*/0, /*class=*/nullptr, REG_OPTION_NON_VOLATILE, kAccess,
                         /*security=*/nullptr, out.Put(), /*disposition=*/nullptr) == ERROR_SUCCESS;
}

// "software\<company>\<application>", created where missing.
bool OpenApplicationKey(CRegKey& app) {
  const SRegistryRoot& root = RegistryRoot();
  CRegKey software, company;
  HKEY hive = root.perUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (RegOpenKeyExW(hive, L"software", 0, kAccess, software.Put()) != ERROR_SUCCESS) return false;
  if (!CreateSubKey(software.Get(), root.company.c_str(), company)) return false;
  return CreateSubKey(company.Get(), root.application.c_str(), app);
}

bool OpenSection(const wchar_t* section, CRegKey& key) {
  CRegKey app;
  return section && OpenApplicationKey(app) && CreateSubKey(app.Get(), section, key);
}

// The value's bytes whatever its type, or nothing when it cannot be read.
std::optional<TByteVector> ReadValue(const wchar_t* section, const wchar_t* key) {
  CRegKey sectionKey;
  if (!OpenSection(section, sectionKey)) return std::nullopt;
  DWORD size = 0;
  if (RegQueryValueExW(sectionKey.Get(), key, nullptr, /*type=*/nullptr, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  TByteVector bytes(size);
  // The value may grow between the two calls; a second failure is a failure.
  if (RegQueryValueExW(sectionKey.Get(), key, nullptr, nullptr, bytes.empty() ? nullptr : bytes.data(),
                       &size) != ERROR_SUCCESS)
    return std::nullopt;
  bytes.resize(size);
  return bytes;
}

bool SetValue(const wchar_t* section, const wchar_t* key, DWORD type, const void* data, size_t count) {
  CRegKey sectionKey;
  if (!key || !OpenSection(section, sectionKey)) return false;
  return RegSetValueExW(sectionKey.Get(), key, 0, type, static_cast<const BYTE*>(data),
                        static_cast<DWORD>(count)) == ERROR_SUCCESS;
}

}  // namespace

std::wstring CRegPreference::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) {
  return StringOrDefault(ReadValue(section, key), fallback ? fallback : L"");
}

bool CRegPreference::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (!section) return false;
  if (!key) {
    CRegKey app;
    return OpenApplicationKey(app) && RegDeleteTreeW(app.Get(), section) == ERROR_SUCCESS;
  }
  if (!value) {
    CRegKey sectionKey;
    return OpenSection(section, sectionKey) && RegDeleteValueW(sectionKey.Get(), key) == ERROR_SUCCESS;
  }
  const TByteVector bytes = EncodeStringValue(value);
  return SetValue(section, key, REG_SZ, bytes.data(), bytes.size());
}

int32_t CRegPreference::GetInt(const wchar_t* section, const wchar_t* key, int32_t fallback) {
  return IntOrDefault(ReadValue(section, key), fallback);
}

bool CRegPreference::WriteInt(const wchar_t* section, const wchar_t* key, int32_t value) {
  const DWORD dword = static_cast<DWORD>(value);
  return SetValue(section, key, REG_DWORD, &dword, sizeof dword);
}

bool CRegPreference::GetBinary(const wchar_t* section, const wchar_t* key, TByteVector& out) {
  std::optional<TByteVector> bytes = ReadValue(section, key);
  if (!bytes) return false;
  if (!bytes->empty()) out = std::move(*bytes);
  return true;
}

bool CRegPreference::WriteBinary(const wchar_t* section, const wchar_t* key, const uint8_t* data, size_t count) {
  if (!data && count) return false;
  return SetValue(section, key, REG_BINARY, data, count);
}

}  // namespace corvane
