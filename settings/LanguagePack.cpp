#include "settings/LanguagePack.h"

#include "base/AppCommonPath.h"
#include "base/IniReader.h"

namespace corvane {
namespace {

bool ReadStrings(const std::wstring& packPath, IniPairs& pairs) {
  CIniReader reader;
  if (!reader.Open(packPath)) return false;
  pairs = reader.ReadSection(L"String");
  return true;
}

}  // namespace

std::wstring LanguageFolder() {
  return CAppCommonPath::Instance().ProgramFolder() + L"language" + kPathSeparator;
}

std::wstring LanguagePackPath(const std::wstring& folder, const std::wstring& name) {
  return folder + name + L".lng";
}

bool ReadLanguageStrings(const std::wstring& packPath, TLanguageTable& keyToText) {
  keyToText.clear();
  IniPairs pairs;
  if (!ReadStrings(packPath, pairs)) return false;
  for (auto& [key, text] : pairs) keyToText.emplace(key, text);  // emplace keeps the first
  return true;
}

bool ReadLanguageStringsInverted(const std::wstring& packPath, TLanguageTable& textToKey) {
  textToKey.clear();
  IniPairs pairs;
  if (!ReadStrings(packPath, pairs)) return false;
  for (auto& [key, text] : pairs) textToKey.emplace(text, key);
  return true;
}

std::wstring ReadLanguageIconName(const std::wstring& packPath) {
  CIniReader reader;
  if (!reader.Open(packPath)) return L"";
  return reader.GetString(L"Info", L"icon", L"");
}

}  // namespace corvane
