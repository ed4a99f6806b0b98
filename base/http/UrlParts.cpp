#include "base/http/UrlParts.h"

#include <cwctype>

namespace Zorpa {
namespace {

CUrlRange Range(size_t begin, size_t end) { return CUrlRange{begin, end, true}; }

// The first position at or after `from` holding one of `stops`, or the end.
size_t FindAny(std::wstring_view url, size_t from, std::wstring_view stops) {
  const size_t at = url.find_first_of(stops, from);
  return at == std::wstring_view::npos ? url.size() : at;
}

}  // namespace

CUrlParts SplitUrl(std::wstring_view url) {
  CUrlParts parts;
  size_t authority = 0;
  const size_t marker = url.find(L"://");
  if (marker != std::wstring_view::npos) {
    parts.scheme = Range(0, marker);
    authority = marker + 3;
  }

  const size_t authorityEnd = FindAny(url, authority, L"/?#");
  const size_t colon = url.substr(0, authorityEnd).find(L':', authority);
  if (colon != std::wstring_view::npos) {
    parts.host = Range(authority, colon);
    parts.port = Range(colon + 1, authorityEnd);
  } else {
    parts.host = Range(authority, authorityEnd);
  }

  const size_t pathEnd = FindAny(url, authorityEnd, L"?#");
  if (pathEnd > authorityEnd) parts.path = Range(authorityEnd, pathEnd);
  if (pathEnd < url.size() && url[pathEnd] == L'?') {
    const size_t queryEnd = FindAny(url, pathEnd, L"#");
    parts.query = Range(pathEnd, queryEnd);
    if (queryEnd < url.size()) parts.fragment = Range(queryEnd, url.size());
  } else if (pathEnd < url.size()) {
    parts.fragment = Range(pathEnd, url.size());
  }
  return parts;
}

bool IsSecureScheme(std::wstring_view scheme) {
  static constexpr std::wstring_view kHttps = L"https";
  if (scheme.size() != kHttps.size()) return false;
  for (size_t i = 0; i < scheme.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(scheme[i])) != static_cast<wint_t>(kHttps[i])) return false;
  }
  return true;
}

std::optional<unsigned> ResolvePort(std::wstring_view portText, bool secure) {
  if (portText.empty()) return secure ? 443u : 80u;
  if (portText.size() > 5) return std::nullopt;
  unsigned value = 0;
  for (wchar_t c : portText) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  if (value > 65535) return std::nullopt;
  return value;
}

std::wstring ObjectName(std::wstring_view url, const CUrlParts& parts) {
  if (parts.path.present && !parts.path.Empty()) return std::wstring(url.substr(parts.path.begin));
  if (parts.query.present) return L"/" + std::wstring(url.substr(parts.query.begin));
  if (parts.fragment.present) return L"/" + std::wstring(url.substr(parts.fragment.begin));
  return L"/";
}

std::optional<CRequestTarget> PrepareRequest(std::wstring_view url, bool useCache) {
  const CUrlParts parts = SplitUrl(url);
  CRequestTarget target;
  target.secure = parts.scheme.present && IsSecureScheme(parts.scheme.Of(url));
  target.flags = useCache ? kFlagsUseCache : kFlagsNoCache;
  if (target.secure) target.flags |= kFlagSecure;

  const std::optional<unsigned> port = ResolvePort(parts.port.Of(url), target.secure);
  if (!port || parts.host.Empty()) return std::nullopt;
  target.port = *port;
  target.host = std::wstring(parts.host.Of(url));
  target.objectName = ObjectName(url, parts);
  return target;
}

}  // namespace Zorpa
