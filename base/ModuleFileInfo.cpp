#include "base/ModuleFileInfo.h"

#include <cwchar>
#include <cwctype>

#include "base/TextTranslator.h"

namespace corvane {
namespace {

struct SVersionParts {
  std::wstring base;
  int build = 1;
};

SVersionParts SplitVersion(const std::wstring& fileVersion) {
  std::wstring text;
  for (wchar_t c : fileVersion) {
    if (c != L' ') text += c;
  }
  const size_t first = text.find(L',');
  if (first != std::wstring::npos) {
    text[first] = L'.';
    const size_t second = text.find(L',', first + 1);
    if (second != std::wstring::npos) text.erase(second, 1);
  }
  SVersionParts parts;
  const size_t next = text.find(L',');
  if (next == std::wstring::npos) {
    parts.base = text;
    return parts;
  }
  parts.base = text.substr(0, next);
  // Digits after the comma; anything that is no number reads as 0.
  parts.build = static_cast<int>(std::wcstol(text.c_str() + next + 1, nullptr, 10));
  return parts;
}

std::wstring Printf(const wchar_t* format, const std::wstring& base, int build) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, format, build);
  return base + buffer;
}

}  // namespace

std::wstring FormatVersionText(const std::wstring& fileVersion, int form) {
  const SVersionParts parts = SplitVersion(fileVersion);
  switch (form) {
    case kVersionShort:
      return L"v" + parts.base;
    case kVersionLabelled:
      return TranslateText(L"Version:") + L" " + Printf(L" build %03d", parts.base, parts.build) +
             L" Unicode";
    case kVersionDotted:
      return Printf(L".%03d", parts.base, parts.build);
    case kVersionCompact: {
      std::wstring base = parts.base;
      if (!base.empty() && base.back() == L'0') base.pop_back();
      return L"v" + base;
    }
    default:
      return {};
  }
}

std::wstring CModuleFileInfo::GetVersionText(int form, void* module) {
  return FormatVersionText(CModuleFileInfo(module).GetString(L"FileVersion"), form);
}

}  // namespace corvane
