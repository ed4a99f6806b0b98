#pragma once
// The version resource of a module and the version texts built from it.
#include <cstdint>
#include <string>
#include <vector>

#include "base/F3DFileName.h"

namespace corvane {

// The four ways a version is shown.
enum EVersionForm {
  kVersionShort = 0,     // "v2.20"
  kVersionLabelled = 1,  // "Version: 2.20 build 001 Unicode" (label translated)
  kVersionDotted = 2,    // "2.20.001"
  kVersionCompact = 3,   // "v2.2"
};

// Builds a version text from a "FileVersion" string such as "2, 2, 0, 1":
// spaces go, the first comma becomes a point and the second disappears
// ("2.20,1"), the number after the next comma is the build (1 when missing).
// An unknown form gives an empty text.
std::wstring FormatVersionText(const std::wstring& fileVersion, int form);

class CModuleFileInfo {
 public:
  // module: a module handle, nullptr for the running program. A module
  // without a version resource yields empty strings.
  explicit CModuleFileInfo(void* module = nullptr);

  const CF3DFileName& FileName() const { return m_fileName; }
  bool HasVersionResource() const { return !m_resource.empty(); }
  // "%04x%04x" of the first language and code page of the translation table.
  const std::wstring& TranslationKey() const { return m_translationKey; }

  // The value "\StringFileInfo\<translation key>\<key>", or empty.
  std::wstring GetString(const std::wstring& key) const;

  // FormatVersionText of the module's "FileVersion", read afresh each call.
  static std::wstring GetVersionText(int form, void* module = nullptr);

 private:
  CF3DFileName m_fileName;
  std::vector<uint8_t> m_resource;
  std::wstring m_translationKey;
};

}  // namespace corvane
