#pragma once
// Reading language pack files ("<name>.lng" in the program's "language"
// folder): INI text whose "String" section maps text keys to texts and whose
// "Info" section may name an icon bitmap.
#include <map>
#include <string>

namespace corvane {

using TLanguageTable = std::map<std::wstring, std::wstring>;

// The folder of the packs (program folder + "language" + separator).
std::wstring LanguageFolder();
// Full path of the pack of `name` in `folder`.
std::wstring LanguagePackPath(const std::wstring& folder, const std::wstring& name);

// Reads the "String" section key -> text ("\n" already a line break). A key
// that appears twice keeps its first text. False when the file cannot be
// opened (the table is then left empty).
bool ReadLanguageStrings(const std::wstring& packPath, TLanguageTable& keyToText);
// Reads the "String" section inverted, text -> key; a text that appears
// twice keeps its first key.
bool ReadLanguageStringsInverted(const std::wstring& packPath, TLanguageTable& textToKey);
// The "Info" / "icon" file name, or empty.
std::wstring ReadLanguageIconName(const std::wstring& packPath);

}  // namespace corvane
