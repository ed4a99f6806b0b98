#include "settings/DefaultLanguageName.h"

namespace corvane {
namespace {

struct SPrimaryLanguage {
  uint16_t primary;
  const wchar_t* name;
};

// Searched in order, first match wins: 0x1A appears twice and the second
// row ("Serbian") is never reached; Cyrillic Serbian is a sub-language rule.
const SPrimaryLanguage kPrimaryLanguages[] = {
    {0x00, L"Neutral"},     {0x01, L"Arabic"},          {0x02, L"Bulgarian"},
    {0x03, L"Catalan"},     {0x04, L"Chinese Traditional"}, {0x05, L"Czech"},
    {0x06, L"Danish"},      {0x07, L"German"},          {0x08, L"Greek"},
    {0x09, L"British English"}, {0x0A, L"Spanish"},     {0x0B, L"Finnish"},
    {0x0C, L"French"},      {0x0D, L"Hebrew"},          {0x0E, L"Hungarian"},
    {0x0F, L"Icelandic"},   {0x10, L"Italian"},         {0x11, L"Japanese"},
    {0x12, L"Korean"},      {0x13, L"Dutch"},           {0x14, L"Norwegian"},
    {0x15, L"Polish"},      {0x16, L"Portuguese"},      {0x18, L"Romanian"},
    {0x19, L"Russian"},     {0x1A, L"Croatian"},        {0x1A, L"Serbian"},
    {0x1B, L"Slovak"},      {0x1C, L"Albanian"},        {0x1D, L"Swedish"},
    {0x1E, L"Thai"},        {0x1F, L"Turkish"},         {0x20, L"Urdu"},
    {0x21, L"Indonesian"},  {0x22, L"Ukrainian"},       {0x23, L"Belarusian"},
    {0x24, L"Slovenian"},   {0x25, L"Estonian"},        {0x26, L"Latvian"},
    {0x27, L"Lithuanian"},  {0x29, L"Farsi"},           {0x2A, L"Vietnamese"},
    {0x2B, L"Armenian"},    {0x2C, L"Azeri"},           {0x2D, L"Basque"},
    {0x2F, L"FYRO Macedonian"}, {0x36, L"Afrikaans"},   {0x37, L"Georgian"},
    {0x38, L"Faeroese"},    {0x39, L"Hindi"},           {0x3E, L"Malay"},
    {0x3F, L"Kazak"},       {0x40, L"Kyrgyz"},          {0x41, L"Swahili"},
    {0x43, L"Uzbek"},       {0x44, L"Tatar"},           {0x45, L"Bengali"},
    {0x46, L"Punjabi"},     {0x47, L"Gujarati"},        {0x48, L"Oriya"},
    {0x49, L"Tamil"},       {0x4A, L"Telugu"},          {0x4B, L"Kannada"},
    {0x4C, L"Malayalam"},   {0x4D, L"Assamese"},        {0x4E, L"Marathi"},
    {0x4F, L"Sanskrit"},    {0x50, L"Mongolian"},       {0x56, L"Galician"},
    {0x57, L"Konkani"},     {0x58, L"Manipuri"},        {0x59, L"Sindhi"},
    {0x5A, L"Syriac"},      {0x60, L"Kashmiri"},        {0x61, L"Nepali"},
    {0x65, L"Divehi"},      {0x80, L"Uyghur"},
};
static_assert(sizeof(kPrimaryLanguages) / sizeof(kPrimaryLanguages[0]) == 77);

struct SSubLanguageRule {
  uint16_t primary;
  uint16_t sub;
  const wchar_t* name;
};

const SSubLanguageRule kSubLanguageRules[] = {
    {0x04, 2, L"Chinese Simplified"},  {0x09, 1, L"English"},  {0x09, 13, L"English"},
    {0x16, 1, L"Portuguese Brazilian"}, {0x1A, 3, L"Serbian Cyrillic"},
};

}  // namespace

std::wstring LanguageNameForId(uint16_t languageId) {
  const uint16_t primary = languageId & 0x3FF;
  const uint16_t sub = languageId >> 10;
  std::wstring name = L"English";
  for (const SPrimaryLanguage& entry : kPrimaryLanguages) {
    if (entry.primary == primary) {
      name = entry.name;
      break;
    }
  }
  for (const SSubLanguageRule& rule : kSubLanguageRules) {
    if (rule.primary == primary && rule.sub == sub) name = rule.name;
  }
  return name;
}

std::wstring DefaultLanguageName() { return LanguageNameForId(SystemLanguageId()); }

}  // namespace corvane
