#pragma once
// What the web panels let through before a navigation, and the searches
// they start instead. Post data is the form data sent with a navigation, as
// the bytes the page sent.
#include <optional>
#include <string>
#include <vector>

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

// Where a navigation of one of our web panels may go.
enum class EPanelDestination {
  kPanel,           // our own pages: http or https on one of the panel hosts, or the built-in page
  kDefaultBrowser,  // any other http or https page: the user's browser shows it
  kRefused,         // everything else: file:, javascript:, \\host\share, //host/share, res:, about:, ...
};

// `panelHosts` are host names (a ":port" on them is ignored); `builtInPage`
// is the program's own page (ResourcePageAddress, or the path of a page file
// it wrote, which also passes as its "file:///" address), empty where there
// is none.
EPanelDestination PanelDestination(const std::wstring& url, const std::vector<std::wstring>& panelHosts,
                                   const std::wstring& builtInPage = {});

enum class EPanelNavigation {
  kProceed,
  kCancel,         // refused: nothing is loaded
  kOpenInBrowser,  // cancel and give the address to the user's browser
};

// The filter of every web panel without a page protocol of its own (the
// property dialog's banner, the preview's player page, the stand-alone
// windows' pages): PanelDestination with PanelHosts() and `ownPage` (as
// builtInPage above); another site's page goes to the user's browser unless
// it is a frame's (`topLevel` false), which may show it.
EPanelNavigation FilterPanelNavigation(const std::wstring& url, const std::wstring& ownPage, bool topLevel);

// The hosts our panels show pages from: the maker's web and search servers
// and the site domains of the domain list.
std::vector<std::wstring> PanelHosts();

// What the user typed into the toolbar's address box, as an address: one
// without a scheme ("www.example.com/a") is taken as "http://" + it.
std::wstring TypedAddress(const std::wstring& text);

enum class EMainPanelAction {
  kProceed,
  kCancel,           // a page button, a command link or a refused address: nothing to load
  kCancelAndSearch,  // the page's search form: open BuildSearch(postData, true) instead
  kOpenInBrowser,    // another site's page: cancel and give it to the user's browser
};

// Before every top-level navigation of the main window's panel (frames of
// our pages are checked with PanelDestination alone). `builtInPage` as above.
EMainPanelAction FilterMainPanelNavigation(const std::wstring& url, const std::string& postData,
                                           const std::wstring& builtInPage = {});

struct SToolbarAction {
  enum EKind {
    kProceed,
    kSearch,    // cancel; open `search`
    kCommand,        // cancel; perform `link` on the page control
    kNavigate,       // navigate the page control to `address` (the toolbar's address box)
    kOpenInBrowser,  // the address box named another site: `address` goes to the user's browser
    kRefused,        // the address box named something that is no web page: nothing is opened
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
