// Addresses and form data from web pages: command links ("tavrel:"), the
// search form and search addresses, and the filters of the main panel and
// the toolbar. A search always goes to the search server's script, a form's
// "s" field always arrives as "q", and a command link never loads a page.
#include <algorithm>
#include <cwctype>
#include <string>

#include "online/CommandLink.h"
#include "online/NavigationFilters.h"
#include "online/ServerHosts.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

void CheckTrimmed(const std::wstring& text) {
  if (text.empty()) return;
  FUZZ_CHECK(!IsBlank(text.front()) && !IsBlank(text.back()));
}

void CheckSearch(const SSearchRequest& search, const std::wstring& after) {
  const std::wstring script = SearchServerRoot() + L"/api_search6.php" + after;
  FUZZ_CHECK(search.address.compare(0, script.size(), script) == 0);
}

void CheckForm(const std::wstring& form) {
  const std::optional<SSearchRequest> search = BuildSearch(form, /*fromForm=*/true);
  if (!search) return;
  CheckSearch(*search, L"?");
  const std::wstring query = L"&" + search->address.substr(search->address.find(L'?') + 1);
  FUZZ_CHECK(query.find(L"&s=") == std::wstring::npos);
}

void CheckUrl(const std::wstring& url, const std::string& postData) {
  const std::optional<SCommandLink> link = ParseCommandLink(url);
  if (link) {
    FUZZ_CHECK(IsCommandLink(url));
    CheckTrimmed(link->command);
    CheckTrimmed(link->argument);
  }
  if (const std::optional<SSearchRequest> search = BuildSearch(url, /*fromForm=*/false)) CheckSearch(*search, L"?q=");
  if (IsCommandLink(url)) FUZZ_CHECK(FilterMainPanelNavigation(url, postData) != EMainPanelAction::kProceed);
  const SToolbarAction action = FilterToolbarNavigation(url, postData, L"en");
  switch (action.kind) {
    case SToolbarAction::kSearch: CheckSearch(action.search, L"?q="); break;
    case SToolbarAction::kCommand: FUZZ_CHECK(link.has_value()); break;
    case SToolbarAction::kNavigate:
      FUZZ_CHECK(!action.address.empty());
      CheckTrimmed(action.address);
      break;
    case SToolbarAction::kOpenInBrowser: {
      // Only web pages go to the user's browser.
      std::wstring scheme = action.address.substr(0, action.address.find(L"://"));
      FUZZ_CHECK(scheme.size() < action.address.size());
      std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](wchar_t c) { return std::towlower(c); });
      FUZZ_CHECK(scheme == L"http" || scheme == L"https");
      break;
    }
    case SToolbarAction::kProceed:
    case SToolbarAction::kRefused: break;
  }
}

}  // namespace

// The input is an address, then (after the first zero byte, if any) the
// posted form data; the form data also goes through the search form.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const size_t split = text.find('\0');
  const std::wstring url = fuzz::WideFromBytes(text.substr(0, split));
  const std::string postData(split == std::string_view::npos ? std::string_view() : text.substr(split + 1));
  CheckUrl(url, postData);
  CheckForm(fuzz::WideFromBytes(postData));
  return 0;
}
