#include "engine/ToolCommandLine.h"

#include <cwchar>

namespace corvane {

size_t Utf16Length(const std::wstring& text) {
#if WCHAR_MAX > 0xFFFF
  size_t units = 0;
  for (wchar_t c : text) units += (static_cast<unsigned long>(c) > 0xFFFF) ? 2 : 1;
  return units;
#else
  return text.size();  // already UTF-16
#endif
}

std::vector<std::wstring> SplitToolCommandLine(const std::wstring& commandLine) {
  std::vector<std::wstring> args;
  std::wstring current;
  bool inArgument = false;
  bool quoted = false;
  for (wchar_t c : commandLine) {
    if (c == L'"') {
      quoted = !quoted;
      inArgument = true;  // "" still makes an (empty) argument
      continue;
    }
    if (!quoted && (c == L' ' || c == L'\t')) {
      if (inArgument) args.push_back(current);
      current.clear();
      inArgument = false;
      continue;
    }
    current += c;
    inArgument = true;
  }
  if (inArgument) args.push_back(current);
  return args;
}

}  // namespace corvane
