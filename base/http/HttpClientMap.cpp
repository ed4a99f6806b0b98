#include "base/http/HttpClientMap.h"

#include <cwctype>

namespace Zorpa {

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

const CHttpClientMap::SEntry* CHttpClientMap::Find(std::wstring_view name) const {
  for (const SEntry& entry : m_entries) {
    if (EqualNoCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

void CHttpClientMap::Add(std::wstring_view name, std::wstring_view value) {
  if (SEntry* entry = const_cast<SEntry*>(Find(name))) {
    entry->values.emplace_back(value);
    return;
  }
  m_entries.push_back(SEntry{std::wstring(name), {std::wstring(value)}});
}

const std::wstring* CHttpClientMap::Value(std::wstring_view name, size_t index) const {
  const SEntry* entry = Find(name);
  if (!entry || index >= entry->values.size()) return nullptr;
  return &entry->values[index];
}

size_t CHttpClientMap::Count(std::wstring_view name) const {
  const SEntry* entry = Find(name);
  return entry ? entry->values.size() : 0;
}

}  // namespace Zorpa
