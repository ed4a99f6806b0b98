#include "engine/ConcatList.h"

#include "base/TextConvert.h"

namespace corvane {

std::wstring QuoteForConcatList(const std::wstring& path) {
  std::wstring quoted = L"'";
  for (wchar_t c : path) {
    if (c == L'\'') {
      quoted += L"'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + L"'";
}

std::string BuildConcatList(const std::vector<std::wstring>& inputs) {
  std::wstring text;
  for (const std::wstring& input : inputs) {
    if (input.find_first_of(std::wstring(L"\n\r\0", 3)) != std::wstring::npos) return {};
    // LF then CR, in this order: the demuxer skips the CR as leading white
    // space of the next line.
    text += L"file " + QuoteForConcatList(input) + L"\n\r";
  }
  return WideToUtf8(text);
}

}  // namespace corvane
