#include "online/NavigationFilters.h"

#include "base/TrimBlanks.h"
#include "base/TextConvert.h"
#include "online/ServerHosts.h"

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

}  // namespace

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

EMainPanelAction FilterMainPanelNavigation(const std::wstring& url, const std::string& rawPostData) {
  const std::string postData = WithoutTrailingEnd(rawPostData);
  // The page's image buttons post "hid=…" with their "_i" names.
  if (postData.size() >= 5 && Contains(postData, "hid=") && Contains(postData, "_i")) return EMainPanelAction::kCancel;
  if (IsCommandLink(url)) return EMainPanelAction::kCancel;
  if (url.find(L"api_joiner") != std::wstring::npos && !postData.empty() && !Contains(postData, "_i")) {
    return EMainPanelAction::kCancelAndSearch;
  }
  return EMainPanelAction::kProceed;
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
    std::wstring address = Utf8ToWide(postData.substr(start, end == std::string::npos ? std::string::npos : end - start));
    for (wchar_t& c : address) {
      if (c == L'+') c = L' ';
    }
    action.address = TrimBlanks(address);
    if (!action.address.empty()) action.kind = SToolbarAction::kNavigate;
  }
  return action;
}

}  // namespace corvane
