#pragma once
// One setting as a member: where it lives, its value (initially the
// default), and how it is loaded and written back. A missing store (before
// it was made or after it went) leaves the value as it is and saves nothing.
#include <cstdint>
#include <string>

#include "settings/Preference.h"

namespace corvane {

struct PrefInt {
  std::wstring section;
  std::wstring key;
  int32_t value = 0;

  PrefInt(std::wstring sectionName, std::wstring keyName, int32_t fallback)
      : section(std::move(sectionName)), key(std::move(keyName)), value(fallback) {}
  void Load(CPreference* store);
  bool Save(CPreference* store) const;
};

struct PrefString {
  std::wstring section;
  std::wstring key;
  std::wstring value;

  PrefString(std::wstring sectionName, std::wstring keyName, std::wstring fallback)
      : section(std::move(sectionName)), key(std::move(keyName)), value(std::move(fallback)) {}
  void Load(CPreference* store);
  bool Save(CPreference* store) const;
};

}  // namespace corvane
