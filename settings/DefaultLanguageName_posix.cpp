// Natively the language comes from the locale environment (LC_ALL,
// LC_MESSAGES, LANG, in that order), mapped to the Windows identifier of
// the same language so the same naming rules apply.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/DefaultLanguageName.h"

namespace corvane {
namespace {

struct SLocaleLanguage {
  const char* code;  // ISO 639-1
  uint16_t primary;
};

const SLocaleLanguage kLocaleLanguages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C}, {"he", 0x0D}, {"hu", 0x0E},
    {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14}, {"nn", 0x14},
    {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sr", 0x1A},
    {"sk", 0x1B}, {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20}, {"id", 0x21},
    {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27}, {"fa", 0x29},
    {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D}, {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37},
    {"fo", 0x38}, {"hi", 0x39}, {"ms", 0x3E}, {"kk", 0x3F}, {"ky", 0x40}, {"sw", 0x41}, {"uz", 0x43},
    {"tt", 0x44}, {"bn", 0x45}, {"pa", 0x46}, {"gu", 0x47}, {"or", 0x48}, {"ta", 0x49}, {"te", 0x4A},
    {"kn", 0x4B}, {"ml", 0x4C}, {"as", 0x4D}, {"mr", 0x4E}, {"sa", 0x4F}, {"mn", 0x50}, {"gl", 0x56},
    {"sd", 0x59}, {"ks", 0x60}, {"ne", 0x61}, {"dv", 0x65}, {"ug", 0x80},
};

// The Windows sub-language for the few regions the naming rules look at.
uint16_t SubLanguage(uint16_t primary, const std::string& locale) {
  auto has = [&](const char* part) { return locale.find(part) != std::string::npos; };
  switch (primary) {
    case 0x04: return has("_CN") || has("_SG") ? 2 : 1;
    case 0x09: return has("_US") ? 1 : 2;
    case 0x16: return has("_BR") ? 1 : 2;
    case 0x1A: return locale.rfind("sr", 0) == 0 ? 3 : 1;
  }
  return 1;
}

}  // namespace

uint16_t SystemLanguageId() {
  const char* locale = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = std::getenv(name);
    if (locale && *locale) break;
  }
  const uint16_t usEnglish = 0x0409;
  if (!locale || !*locale || !std::strcmp(locale, "C") || !std::strcmp(locale, "POSIX")) return usEnglish;
  const std::string text(locale);
  for (const SLocaleLanguage& entry : kLocaleLanguages) {
    if (text.compare(0, 2, entry.code) == 0 && (text.size() == 2 || !std::isalpha((unsigned char)text[2])))
      return static_cast<uint16_t>(entry.primary | (SubLanguage(entry.primary, text) << 10));
  }
  return usEnglish;
}

}  // namespace corvane
