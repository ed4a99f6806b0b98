#pragma once
// The native build's preference store: the same (section, key) namespace,
// value types, defaults and byte layouts as the registry store, kept in one
// UTF-8 file ("settings.ini" in the per-user configuration folder unless
// SetLocation names another file).
//
// Like the registry store it keeps nothing between calls: each operation
// reads the file, and each change rewrites it whole (through a temporary
// file and a rename, so a crash never leaves a half-written file).
#include <string>

#include "settings/PreferenceTable.h"

namespace corvane {

class CFilePreference : public CMemoryPreference {
 public:
  CFilePreference() = default;
  explicit CFilePreference(std::wstring path) : m_path(std::move(path)) {}

  void SetLocation(const wchar_t* location) override { m_path = location ? location : L""; }
  const std::wstring& Location();

 protected:
  bool Begin() override;
  bool Commit() override;

 private:
  std::wstring m_path;
};

}  // namespace corvane
