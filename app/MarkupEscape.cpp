#include "app/MarkupEscape.h"

#include "base/TextConvert.h"

namespace corvane {
namespace {

constexpr wchar_t kHexUpper[] = L"0123456789ABCDEF";

void AppendPercentByte(std::wstring& out, unsigned char byte) {
  out += L'%';
  out += kHexUpper[byte >> 4];
  out += kHexUpper[byte & 0x0F];
}

bool IsXmlForbiddenControl(wchar_t c) { return c < 0x20 && c != L'\t' && c != L'\n' && c != L'\r'; }

bool IsQueryPlain(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' ||
         c == L'_' || c == L'.' || c == L'~' || c == L'/' || c == L':';
}

}  // namespace

std::wstring EscapeMarkup(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      case L'\'': out += L"&#39;"; break;
      default:
        if (!IsXmlForbiddenControl(c)) out += c;
    }
  }
  return out;
}

std::wstring EscapeScriptString(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    const bool special = c == L'\\' || c == L'"' || c == L'\'' || c == L'<' || c == L'>' || c == L'&' ||
                         c < 0x20 || c == 0x2028 || c == 0x2029;
    if (!special) {
      out += c;
      continue;
    }
    out += L"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHexUpper[(static_cast<unsigned>(c) >> shift) & 0xF];
  }
  return out;
}

std::wstring EscapeQueryValue(std::wstring_view text) {
  std::wstring out;
  for (char byte : WideToUtf8(text)) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80 && IsQueryPlain(static_cast<wchar_t>(b))) {
      out += static_cast<wchar_t>(b);
    } else {
      AppendPercentByte(out, b);
    }
  }
  return out;
}

std::wstring FileUrlOfPath(std::wstring_view path) {
  std::wstring out = L"file:";
  // "\\server\share" keeps its two leading slashes as the URL's authority;
  // a drive path gets the empty authority "///" and a rooted path "//".
  const auto isSeparator = [&](size_t i) { return i < path.size() && (path[i] == L'\\' || path[i] == L'/'); };
  if (!isSeparator(0)) {
    out += L"///";
  } else if (!isSeparator(1)) {
    out += L"//";
  }
  for (wchar_t c : path) {
    switch (c) {
      case L'\\': out += L'/'; break;
      case L'%': out += L"%25"; break;
      case L'#': out += L"%23"; break;
      case L'?': out += L"%3F"; break;
      case L' ': out += L"%20"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace corvane
