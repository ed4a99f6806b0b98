#pragma once
// The language pack name that matches the system's language.
#include <cstdint>
#include <string>

namespace corvane {

// The name for a Windows language identifier (primary language in the low
// 10 bits, sub-language above): the primary language's name from the table
// of 77, refined for simplified Chinese, US and Caribbean English
// ("English"), Brazilian Portuguese and Cyrillic Serbian. Unknown primary
// languages give "English".
std::wstring LanguageNameForId(uint16_t languageId);

// The system's default language identifier, or the user's when the system
// reports 0x0400 (Windows); natively derived from the locale environment.
uint16_t SystemLanguageId();

// LanguageNameForId(SystemLanguageId()).
std::wstring DefaultLanguageName();

}  // namespace corvane
