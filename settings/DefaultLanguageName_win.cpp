#include <windows.h>

#include "settings/DefaultLanguageName.h"

namespace corvane {

uint16_t SystemLanguageId() {
  LANGID id = GetSystemDefaultLangID();
  // 0x0400 is LANG_USER_DEFAULT: the system defers to the user's setting.
  if (id == 0x0400) id = GetUserDefaultLangID();
  return id;
}

}  // namespace corvane
