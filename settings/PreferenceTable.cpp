#include "settings/PreferenceTable.h"

#include <algorithm>
#include <cwctype>

namespace corvane {

bool SNoCaseLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    return std::towupper(static_cast<wint_t>(x)) < std::towupper(static_cast<wint_t>(y));
  });
}

std::optional<TByteVector> CPreferenceTable::Find(const wchar_t* section, const wchar_t* key) const {
  if (!section || !key) return std::nullopt;
  auto s = m_sections.find(section);
  if (s == m_sections.end()) return std::nullopt;
  auto v = s->second.find(key);
  if (v == s->second.end()) return std::nullopt;
  return v->second.bytes;
}

void CPreferenceTable::Put(const wchar_t* section, const wchar_t* key, SPreferenceValue value) {
  m_sections[section][key] = std::move(value);
}

bool CPreferenceTable::RemoveValue(const wchar_t* section, const wchar_t* key) {
  auto s = m_sections.find(section);
  return s != m_sections.end() && s->second.erase(key) != 0;
}

bool CPreferenceTable::RemoveSection(const wchar_t* section) { return m_sections.erase(section) != 0; }

bool CPreferenceTable::HasSection(const wchar_t* section) const { return m_sections.count(section) != 0; }

std::wstring CMemoryPreference::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) {
  const std::wstring def = fallback ? fallback : L"";
  if (!section || !Begin()) return def;
  return StringOrDefault(m_table.Find(section, key), def);
}

bool CMemoryPreference::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (!section || !Begin()) return false;
  bool changed;
  if (!key) {
    changed = m_table.RemoveSection(section);
  } else if (!value) {
    changed = m_table.RemoveValue(section, key);
  } else {
    m_table.Put(section, key, {EPreferenceValueType::kString, EncodeStringValue(value)});
    changed = true;
  }
  return changed && Commit();
}

int32_t CMemoryPreference::GetInt(const wchar_t* section, const wchar_t* key, int32_t fallback) {
  if (!section || !Begin()) return fallback;
  return IntOrDefault(m_table.Find(section, key), fallback);
}

bool CMemoryPreference::WriteInt(const wchar_t* section, const wchar_t* key, int32_t value) {
  return Store(section, key, {EPreferenceValueType::kDword, EncodeIntValue(value)});
}

bool CMemoryPreference::GetBinary(const wchar_t* section, const wchar_t* key, TByteVector& out) {
  if (!section || !Begin()) return false;
  std::optional<TByteVector> stored = m_table.Find(section, key);
  if (!stored) return false;
  if (!stored->empty()) out = std::move(*stored);
  return true;
}

bool CMemoryPreference::WriteBinary(const wchar_t* section, const wchar_t* key, const uint8_t* data,
                                    size_t count) {
  if (!data && count) return false;
  return Store(section, key, {EPreferenceValueType::kBinary, TByteVector(data, data + count)});
}

bool CMemoryPreference::Store(const wchar_t* section, const wchar_t* key, SPreferenceValue value) {
  if (!section || !key || !Begin()) return false;
  m_table.Put(section, key, std::move(value));
  return Commit();
}

}  // namespace corvane
