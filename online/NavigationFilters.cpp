#include "online/NavigationFilters.h"

#include <algorithm>
#include <cwctype>

#include "base/TrimBlanks.h"
#include "base/TextConvert.h"
#include "base/http/UrlParts.h"
#include "online/DomainList.h"
#include "online/ServerHosts.h"
#include "online/WebUrl.h"

namespace corvane {
namespace {

constexpr wchar_t kSearchScript[] = L"/api_search6.php";

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// Form data ends where the page's bytes end; browsers may add a line end or
// a terminating zero.
std::string WithoutTrailingEnd(std::string data) {
  while (!data.empty() && (data.back() == '\0' || data.back() == '\r' || data.back() == '\n')) data.pop_back();
  return data;
}

// The value of the field `name` in "a=1&type=video&…" (up to the next "&").
std::wstring FieldValue(const std::wstring& query, const std::wstring& name) {
  const std::wstring fields = L"&" + query;
  const std::wstring key = L"&" + name + L"=";
  const size_t at = fields.find(key);
  if (at == std::wstring::npos) return {};
  const size_t start = at + key.size();
  const size_t end = fields.find(L'&', start);
  return fields.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

// Renames the form field "s" to "q" (other fields that end in "s" stay).
std::wstring RenameSearchField(const std::wstring& form) {
  std::wstring out;
  size_t pos = 0;
  while (pos <= form.size()) {
    size_t end = form.find(L'&', pos);
    if (end == std::wstring::npos) end = form.size();
    std::wstring field = form.substr(pos, end - pos);
    if (field.compare(0, 2, L"s=") == 0) field[0] = L'q';
    if (!out.empty() || pos > 0) out += L'&';
    out += field;
    pos = end + 1;
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "%XX" as a byte (a "%" without two hex digits stays as it is); in a form
// field's value "+" is a blank as well.
std::string PercentDecoded(const std::string& value, bool plusIsBlank) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (plusIsBlank && value[i] == '+') {
      text += ' ';
    } else if (value[i] == '%' && i + 2 < value.size() && HexDigit(value[i + 1]) >= 0 && HexDigit(value[i + 2]) >= 0) {
      text += static_cast<char>(HexDigit(value[i + 1]) * 16 + HexDigit(value[i + 2]));
      i += 2;
    } else {
      text += value[i];
    }
  }
  return text;
}

std::wstring Lowered(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return text;
}

std::wstring WithoutPort(const std::wstring& host) { return host.substr(0, host.find(L':')); }

// An http or https address whose host is exactly one of the hosts, with at
// most a valid port: in "http://ours.example:80@other.example/" the port is
// not a number, in "http://ours.example@other.example/" the host is not ours.
bool IsOnHost(const std::wstring& url, const std::vector<std::wstring>& hosts) {
  const Zorpa::CUrlParts parts = Zorpa::SplitUrl(url);
  const bool secure = Zorpa::IsSecureScheme(parts.scheme.Of(url));
  if (parts.port.present && !Zorpa::ResolvePort(parts.port.Of(url), secure)) return false;
  const std::wstring host = Lowered(std::wstring(parts.host.Of(url)));
  return std::any_of(hosts.begin(), hosts.end(),
                     [&host](const std::wstring& ours) { return !ours.empty() && Lowered(WithoutPort(ours)) == host; });
}

// Whether `url` is `page`, the program's own page: the same text in any
// case (the control may report the path in another one), or, for a page
// file given by its path ("C:\Temp\TFR1.tmp"), the control's file: address
// of that path ("file:///C:/Temp/TFR1.tmp", perhaps %-escaped). Nothing
// else on the disk or on a share passes.
bool IsOwnPage(const std::wstring& url, const std::wstring& page) {
  if (page.empty()) return false;
  if (Lowered(url) == Lowered(page)) return true;
  constexpr wchar_t kLocalFile[] = L"file:///";
  if (Lowered(url.substr(0, 8)) != kLocalFile) return false;
  std::wstring path = Utf8ToWide(PercentDecoded(WideToUtf8(url.substr(8)), /*plusIsBlank=*/false));
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return Lowered(path) == Lowered(page);
}

}  // namespace

EPanelDestination PanelDestination(const std::wstring& url, const std::vector<std::wstring>& panelHosts,
                                   const std::wstring& builtInPage) {
  if (IsOwnPage(url, builtInPage)) return EPanelDestination::kPanel;
  if (!IsAddressForExternalBrowser(url)) return EPanelDestination::kRefused;
  return IsOnHost(url, panelHosts) ? EPanelDestination::kPanel : EPanelDestination::kDefaultBrowser;
}

EPanelNavigation FilterPanelNavigation(const std::wstring& url, const std::wstring& ownPage, bool topLevel) {
  switch (PanelDestination(url, PanelHosts(), ownPage)) {
    case EPanelDestination::kPanel: return EPanelNavigation::kProceed;
    // A frame of one of our pages may show another site; the page itself
    // goes to the user's browser.
    case EPanelDestination::kDefaultBrowser: return topLevel ? EPanelNavigation::kOpenInBrowser : EPanelNavigation::kProceed;
    case EPanelDestination::kRefused: break;
  }
  return EPanelNavigation::kCancel;
}

std::vector<std::wstring> PanelHosts() {
  return {VendorServerHost(), SearchServerHost(), SiteDomains().Domain(1), SiteDomains().Domain(2)};
}

std::wstring TypedAddress(const std::wstring& text) {
  // "name:" before any "/" or "." is a scheme ("file:", "javascript:"); the
  // address stays as it is and goes through the same checks as any other.
  const size_t colon = text.find(L':');
  const bool hasScheme =
      colon != std::wstring::npos && colon > 0 &&
      std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'+' || c == L'-';
      });
  if (hasScheme || text.empty() || text[0] == L'\\' || text[0] == L'/') return text;
  std::wstring address = L"http://";
  for (wchar_t c : text) address += c == L' ' ? std::wstring(L"%20") : std::wstring(1, c);
  return address;
}

std::optional<SSearchRequest> BuildSearch(const std::wstring& text, bool fromForm) {
  SSearchRequest search;
  if (fromForm) {
    const std::wstring form = RenameSearchField(text);
    if (form.empty()) return std::nullopt;
    search.address = SearchServerRoot() + kSearchScript + L"?" + form;
    search.pageKind = FieldValue(form, L"type");
    return search;
  }
  const size_t query = text.find(L"?q=");
  if (query == std::wstring::npos) return std::nullopt;
  search.address = SearchServerRoot() + kSearchScript + text.substr(query);
  search.pageKind = FieldValue(text.substr(query + 1), L"type");
  return search;
}

EMainPanelAction FilterMainPanelNavigation(const std::wstring& url, const std::string& rawPostData,
                                           const std::wstring& builtInPage) {
  const std::string postData = WithoutTrailingEnd(rawPostData);
  // The page's image buttons post "hid=…" with their "_i" names.
  if (postData.size() >= 5 && Contains(postData, "hid=") && Contains(postData, "_i")) return EMainPanelAction::kCancel;
  if (IsCommandLink(url)) return EMainPanelAction::kCancel;
  if (url.find(L"api_joiner") != std::wstring::npos && !postData.empty() && !Contains(postData, "_i")) {
    return EMainPanelAction::kCancelAndSearch;
  }
  switch (PanelDestination(url, PanelHosts(), builtInPage)) {
    case EPanelDestination::kPanel: return EMainPanelAction::kProceed;
    case EPanelDestination::kDefaultBrowser: return EMainPanelAction::kOpenInBrowser;
    case EPanelDestination::kRefused: break;
  }
  return EMainPanelAction::kCancel;
}

SToolbarAction FilterToolbarNavigation(const std::wstring& url, const std::string& rawPostData,
                                       const std::wstring& language) {
  SToolbarAction action;
  const std::string postData = WithoutTrailingEnd(rawPostData);
  std::optional<SSearchRequest> search;
  if (url.find(L"?q=") != std::wstring::npos) {
    search = BuildSearch(url, /*fromForm=*/false);
  } else if (const size_t at = url.find(L"&q="); at != std::wstring::npos) {
    // The toolbar's own search box: the same query, with our language.
    search = BuildSearch(L"?q=" + url.substr(at + 3) + L"&lang=" + language, /*fromForm=*/false);
  }
  if (search) {
    action.kind = SToolbarAction::kSearch;
    action.search = *search;
    return action;
  }
  if (std::optional<SCommandLink> link = ParseCommandLink(url)) {
    action.kind = SToolbarAction::kCommand;
    action.link = *link;
    return action;
  }
  const size_t field = postData.find("address=");
  if (postData.rfind("address", 0) == 0 && postData.size() > 4 && !Contains(postData, "back_i") &&
      field != std::string::npos) {
    const size_t start = field + 8;
    const size_t end = postData.find('&', start);
    const std::wstring address =
        Utf8ToWide(PercentDecoded(postData.substr(start, end == std::string::npos ? std::string::npos : end - start), /*plusIsBlank=*/true));
    const std::wstring typed = TrimBlanks(address);
    if (typed.empty()) return action;
    action.address = TypedAddress(typed);
    switch (PanelDestination(action.address, PanelHosts())) {
      case EPanelDestination::kPanel: action.kind = SToolbarAction::kNavigate; break;
      case EPanelDestination::kDefaultBrowser: action.kind = SToolbarAction::kOpenInBrowser; break;
      case EPanelDestination::kRefused: action.kind = SToolbarAction::kRefused; break;
    }
  }
  return action;
}

}  // namespace corvane
