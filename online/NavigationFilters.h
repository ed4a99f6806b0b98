#pragma once
// What the web panels let through before a navigation, and the searches
// they start instead. Post data is the form data sent with a navigation, as
// the bytes the page sent.
#include <optional>
#include <string>

#include "online/CommandLink.h"

namespace corvane {

// A search to open in a new stand-alone window (with no post data).
struct SSearchRequest {
  std::wstring address;   // the search server's "/api_search6.php" with the query
  std::wstring pageKind;  // the "type" of the query; empty when it has none
};

// `text` is form data when `fromForm` is set: its field "s" becomes "q" and
// the whole goes after "?"; otherwise the part of `text` from "?q=" on is the
// query. nullopt when there is nothing to search for.
std::optional<SSearchRequest> BuildSearch(const std::wstring& text, bool fromForm);

enum class EMainPanelAction {
  kProceed,
  kCancel,           // a page button or a command link: nothing to load
  kCancelAndSearch,  // the page's search form: open BuildSearch(postData, true) instead
};

// Before every navigation of the main window's panel.
EMainPanelAction FilterMainPanelNavigation(const std::wstring& url, const std::string& postData);

struct SToolbarAction {
  enum EKind {
    kProceed,
    kSearch,    // cancel; open `search`
    kCommand,   // cancel; perform `link` on the page control
    kNavigate,  // navigate the page control to `address` (the toolbar's address box)
  };
  EKind kind = kProceed;
  SSearchRequest search;
  SCommandLink link;
  std::wstring address;
};

// Before every navigation of a stand-alone window's toolbar. `language` is
// added to searches that come as "&q=".
SToolbarAction FilterToolbarNavigation(const std::wstring& url, const std::string& postData,
                                       const std::wstring& language);

}  // namespace corvane
