#pragma once
// Launch data as a launching program writes it: a JSON object with "#" for
// every double quote.
#include <string>

namespace corvane {

// A JSON string inside launch data: quoted with "#", backslashes doubled,
// a "#" of the text written as the escape "\u0023".
inline std::wstring LaunchDataText(const std::wstring& text) {
  std::wstring out = L"#";
  for (wchar_t c : text) {
    if (c == L'#') {
      out += L"\\u0023";
      continue;
    }
    if (c == L'\\') out += L'\\';
    out += c;
  }
  return out + L"#";
}

}  // namespace corvane
