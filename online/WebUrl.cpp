#include "online/WebUrl.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

#include "base/http/UrlParts.h"

namespace corvane {
namespace {

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) return false;
  }
  return true;
}

}  // namespace

bool IsUrlWithScheme(const std::wstring& url, std::initializer_list<const wchar_t*> schemes) {
  const Zorpa::CUrlParts parts = Zorpa::SplitUrl(url);
  if (!parts.scheme.present || parts.host.Empty()) return false;
  const std::wstring_view scheme = parts.scheme.Of(url);
  for (const wchar_t* allowed : schemes) {
    if (EqualsNoCase(scheme, allowed)) return true;
  }
  return false;
}

std::wstring WebUrlOrDefault(const std::wstring& url, const std::wstring& fallback) {
  return IsUrlWithScheme(url, {L"http", L"https"}) ? url : fallback;
}

bool IsAddressForExternalBrowser(const std::wstring& url) {
  const auto breaksOut = [](wchar_t c) { return c <= L' ' || c == 0x7F || c == L'"'; };
  return IsUrlWithScheme(url, {L"http", L"https"}) && std::none_of(url.begin(), url.end(), breaksOut);
}

std::wstring AppendLanguage(const std::wstring& url, const std::wstring& language) {
  return url + (url.find(L'?') == std::wstring::npos ? L"?" : L"&") + L"lang=" + language;
}

}  // namespace corvane
