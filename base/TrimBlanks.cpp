#include "base/TrimBlanks.h"

#include <cwctype>

namespace corvane {

std::wstring TrimBlanks(const std::wstring& text) {
  return TrimIf(text, [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; });
}

std::wstring TrimSpace(const std::wstring& text) {
  return TrimIf(text, [](wchar_t c) { return std::iswspace(c) != 0; });
}

}  // namespace corvane
