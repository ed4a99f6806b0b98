#pragma once
// Text without blanks at either end. Which characters count as blanks is
// the caller's: each text format has its own.
#include <string>

namespace corvane {

// Without the characters at either end for which isBlank(c) is true.
template <class TIsBlank>
std::wstring TrimIf(const std::wstring& text, TIsBlank isBlank) {
  size_t begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Blanks: space, tab, CR, LF.
std::wstring TrimBlanks(const std::wstring& text);
// Blanks: what iswspace says (tool output).
std::wstring TrimSpace(const std::wstring& text);

}  // namespace corvane
