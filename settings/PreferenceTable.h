#pragma once
// An in-memory preference namespace with the stores' exact rules: sections
// holding typed values, names compared without regard to case (as the
// registry does) while keeping the spelling they were created with.
//
// CMemoryPreference is a CPreference over one table (tests, and the base of
// the native file store, which loads and saves a table around each call).
#include <map>
#include <string>

#include "settings/Preference.h"

namespace corvane {

struct SNoCaseLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const;
};

using TPreferenceSection = std::map<std::wstring, SPreferenceValue, SNoCaseLess>;
using TPreferenceSections = std::map<std::wstring, TPreferenceSection, SNoCaseLess>;

class CPreferenceTable {
 public:
  const TPreferenceSections& Sections() const { return m_sections; }
  TPreferenceSections& Sections() { return m_sections; }

  std::optional<TByteVector> Find(const wchar_t* section, const wchar_t* key) const;
  void Put(const wchar_t* section, const wchar_t* key, SPreferenceValue value);
  // Removing what does not exist fails, as it does in the registry.
  bool RemoveValue(const wchar_t* section, const wchar_t* key);
  bool RemoveSection(const wchar_t* section);
  bool HasSection(const wchar_t* section) const;

 private:
  TPreferenceSections m_sections;
};

// The ten operations over a table. Subclasses may load before and save after
// each call by overriding Begin/Commit.
class CMemoryPreference : public CPreference {
 public:
  std::wstring GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) override;
  bool WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) override;
  int32_t GetInt(const wchar_t* section, const wchar_t* key, int32_t fallback) override;
  bool WriteInt(const wchar_t* section, const wchar_t* key, int32_t value) override;
  bool GetBinary(const wchar_t* section, const wchar_t* key, TByteVector& out) override;
  bool WriteBinary(const wchar_t* section, const wchar_t* key, const uint8_t* data, size_t count) override;
  using CPreference::WriteBinary;

  CPreferenceTable& Table() { return m_table; }

 protected:
  // Called before every operation; false makes it fail as an unopenable key.
  virtual bool Begin() { return true; }
  // Called after every successful change; false makes the write fail.
  virtual bool Commit() { return true; }

 private:
  bool Store(const wchar_t* section, const wchar_t* key, SPreferenceValue value);
  CPreferenceTable m_table;
};

}  // namespace corvane
