#include "app/MarkupEscape.h"

namespace corvane {
namespace {

bool IsXmlForbiddenControl(wchar_t c) { return c < 0x20 && c != L'\t' && c != L'\n' && c != L'\r'; }

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

}  // namespace corvane
