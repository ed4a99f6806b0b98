#pragma once
// The registry store: each section is a subkey of
// "software\<company>\<application>" under the current user's hive (or the
// machine's, per the registry root). Holds no state: every call opens the
// keys it needs and closes them before returning.
#include "settings/Preference.h"

namespace corvane {

class CRegPreference : public CPreference {
 public:
  std::wstring GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) override;
  bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) override;
  int32_t GetInt(const wchar_t* section, const wchar_t* key, int32_t fallback) override;
  bool WriteInt(const wchar_t* section, const wchar_t* key, int32_t value) override;
  bool GetBinary(const wchar_t* section, const wchar_t* key, TByteVector& out) override;
  bool WriteBinary(const wchar_t* section, const wchar_t* key, const uint8_t* data, size_t count) override;
  using CPreference::WriteBinary;
};

}  // namespace corvane
