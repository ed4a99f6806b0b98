#include "online/SimpleBrowserDlg.h"

#include <shellapi.h>

#include <algorithm>

#include "base/F3DLogHTML.h"
#include "online/BrowserEventDispatch.h"
#include "online/NavigationFilters.h"
#include "online/PanelAddresses.h"
#include "online/WebUrl.h"
#include "settings/MultiLanguage.h"
#include "settings/StoredPlacement.h"

namespace corvane {
namespace {

constexpr int kCmdClose = 2;
constexpr int kCmdDownload = 2030;
constexpr int kToolbarHeight = 32;  // pixels of the toolbar page above the page
constexpr wchar_t kTitleSuffix[] = L" - Corvane";
// Where the windows' last position is kept (all stand-alone windows share it).
constexpr wchar_t kPlacementSection[] = L"Settings";
constexpr wchar_t kPlacementKey[] = L"SBPlacement";

}  // namespace

std::wstring StartAddressOf(const SBrowserWindowRequest& request) {
  const std::wstring language = request.language.empty() ? L"Chinese Simplified" : request.language;
  return request.addLanguage ? AppendLanguage(request.address, language) : request.address;
}

// The toolbar page of a window: its own browser control, whose navigations
// the window filters.
class CSimpleBrowserDlg::CUpIE final : private ::corvane::IBrowserEvents {
 public:
  explicit CUpIE(CSimpleBrowserDlg& owner) : m_owner(owner) {}
  ~CUpIE() { m_host.Destroy(); }
  bool Create(HWND dialog) { return m_host.Create(dialog, IDC_SB_TOOLBAR, this); }
  CBrowserHost& Host() { return m_host; }

 private:
  void BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) override {
    m_owner.OnToolbarNavigate(url, postData, cancel);
  }
  void BrowserNavigateError(const std::wstring&, long) override {}
  void BrowserDocumentComplete(const std::wstring&) override {}
  void BrowserTitleChange(const std::wstring&) override {}

  CSimpleBrowserDlg& m_owner;
  CBrowserHost m_host;
};

bool CSimpleBrowserDlg::Open(const SBrowserWindowRequest& request) {
  const bool engine = CBrowserHost::EngineAvailable();
  if (!engine) {
    const std::wstring start = StartAddressOf(request);
    OpenOutsidePanel(start, IsAddressForExternalBrowser(start));
  }
  if (!engine && !request.closingEndsProgram) return true;
  auto* dialog = new CSimpleBrowserDlg(request);
  if (dialog->Create()) return true;  // the window owns the object now
  delete dialog;
  return !engine;
}

CSimpleBrowserDlg::CSimpleBrowserDlg(SBrowserWindowRequest request) : m_request(std::move(request)) {
  if (m_request.language.empty()) m_request.language = L"Chinese Simplified";
}

CSimpleBrowserDlg::~CSimpleBrowserDlg() = default;

bool CSimpleBrowserDlg::Create() {
  m_window = CreateModeless(/*owner=*/nullptr, IDD_SIMPLE_BROWSER);
  if (!m_window) return false;
  if (!ApplyStoredPlacement(m_window, kPlacementSection, kPlacementKey)) ShowWindow(m_window, SW_SHOWNORMAL);
  return true;
}

bool CSimpleBrowserDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = TRUE;
      return true;
    case WM_SIZE:
      Layout();
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return false;
      DestroyWindow(m_window);
      return true;
    case WM_CLOSE:
      DestroyWindow(m_window);
      return true;
    case WM_DESTROY:
      StoreWindowPlacement(m_window, kPlacementSection, kPlacementKey);
      m_toolbar.reset();
      CSBDlgManager::Instance().Remove(m_window);
      if (m_request.closingEndsProgram && m_request.owner) {
        PostMessageW(m_request.owner, WM_COMMAND, MAKEWPARAM(kCmdClose, BN_CLICKED), 0);
      }
      return false;
    default:
      return false;
  }
}

void CSimpleBrowserDlg::OnInitDialog() {
  CSBDlgManager::Instance().Add(m_window);
  SetWindowTextW(m_window, (Translate(L"Corvane(tavrel)") + kTitleSuffix).c_str());
  m_toolbar = std::make_unique<CUpIE>(*this);
  if (!m_toolbar->Create(m_window)) m_toolbar.reset();
  Layout();
  // The toolbar first, then the page.
  if (m_toolbar) m_toolbar->Host().Navigate(ToolbarAddress(m_request.language, m_request.pageKind));
  if (CBrowserHost* page = Browser()) page->Navigate(StartAddressOf(m_request), m_request.postData);
}

void CSimpleBrowserDlg::Layout() {
  RECT client = {};
  GetClientRect(m_window, &client);
  RECT bar = client;
  bar.bottom = std::min<LONG>(client.bottom, kToolbarHeight);
  RECT page = client;
  page.top = bar.bottom;
  if (m_toolbar) m_toolbar->Host().SetBounds(bar);
  if (CBrowserHost* browser = Browser()) browser->SetBounds(page);
}

void CSimpleBrowserDlg::OnBeforeNavigate(const std::wstring& url, const std::string&, bool& cancel) {
  if (const auto link = ParseCommandLink(url)) {
    cancel = true;
    PerformCommand(link->command, link->argument);
    return;
  }
  GuardNavigation(url, cancel);
}

void CSimpleBrowserDlg::OpenAddress(const std::wstring& address) {
  const EPanelDestination destination = PanelDestination(address, PanelHosts());
  if (destination != EPanelDestination::kPanel) return OpenOutside(address, destination);
  if (CBrowserHost* page = Browser()) page->Navigate(address);
}

void CSimpleBrowserDlg::OpenOutside(const std::wstring& address, EPanelDestination destination) {
  OpenOutsidePanel(address, destination == EPanelDestination::kDefaultBrowser);
}

void CSimpleBrowserDlg::OnNavigateError(const std::wstring& url, long statusCode) {
  // The server's own error page, unless that one failed too.
  if (url.find(L"/naverr.php") != std::wstring::npos) return;
  if (CBrowserHost* page = Browser()) page->Navigate(NavigationErrorAddress(url, statusCode, m_request.language));
}

void CSimpleBrowserDlg::OnTitleChange(const std::wstring& title) {
  SetWindowTextW(m_window, (title + kTitleSuffix).c_str());
}

void CSimpleBrowserDlg::OnToolbarNavigate(const std::wstring& url, const std::string& postData, bool& cancel) {
  const SToolbarAction action = FilterToolbarNavigation(url, postData, m_request.language);
  switch (action.kind) {
    case SToolbarAction::kSearch: {
      cancel = true;
      SBrowserWindowRequest search;
      search.address = action.search.address;
      search.language = m_request.language;
      search.pageKind = action.search.pageKind;
      search.owner = m_request.owner;
      Open(search);
      break;
    }
    case SToolbarAction::kCommand:
      cancel = true;
      PerformCommand(action.link.command, action.link.argument);
      break;
    case SToolbarAction::kNavigate:
      if (CBrowserHost* page = Browser()) page->Navigate(action.address);
      break;
    case SToolbarAction::kOpenInBrowser:
      OpenOutside(action.address, EPanelDestination::kDefaultBrowser);
      break;
    case SToolbarAction::kRefused:
      OpenOutsidePanel(action.address, /*webPage=*/false);
      break;
    case SToolbarAction::kProceed:
      break;
  }
}

void CSimpleBrowserDlg::PerformCommand(const std::wstring& command, const std::wstring& argument) {
  CBrowserHost* page = Browser();
  if (command == L"download") {
    if (m_request.owner) PostMessageW(m_request.owner, WM_COMMAND, MAKEWPARAM(kCmdDownload, BN_CLICKED), 0);
    return;
  }
  if (!page) return;
  if (command == L"open") OpenAddress(argument);
  if (command == L"stop") page->Stop();
  if (command == L"refresh") page->Refresh();
  if (command == L"back") page->GoBack();
  if (command == L"forward") page->GoForward();
}

CSBDlgManager& CSBDlgManager::Instance() {
  static CSBDlgManager manager;
  return manager;
}

void CSBDlgManager::Add(HWND window) {
  if (std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end()) m_windows.push_back(window);
}

void CSBDlgManager::Remove(HWND window) {
  m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

bool CSBDlgManager::RouteDialogMessage(MSG& message) {
  if (!message.hwnd || m_windows.empty()) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (std::find(m_windows.begin(), m_windows.end(), root) == m_windows.end()) return false;
  return IsDialogMessageW(root, &message) != FALSE;
}

void CSBDlgManager::DestroyAll() {
  const std::vector<HWND> windows = m_windows;  // each one removes itself
  for (HWND window : windows) {
    if (IsWindow(window)) DestroyWindow(window);
  }
  m_windows.clear();
}

}  // namespace corvane
