#pragma once
// Dialog base that hosts the platform's web-browser control as its child
// BrowserId (Windows only).
//
// A dialog derives publicly, THideIEDlgBase<CMyDlg, 172>, and is a
// TDialogImpl<CMyDlg> through it: every message passes the browser's share
// first (the host is made at WM_INITDIALOG before the dialog's own handler
// runs and released at WM_DESTROY before it), then the dialog's message map.
// The browser's events arrive at the hooks below; a dialog hides the ones
// it needs with methods of the same signature, accessible to this base
// (public, or befriend it).
//
// Every navigation passes the panels' filter (FilterPanelNavigation) unless
// a dialog hides OnBeforeNavigate with one of its own: the page the dialog
// put there itself (SetOwnPage) and our hosts' pages load, another site's
// page goes to the user's browser, and file:, javascript:, \\host\share and
// the like are refused. A page, or a link on it, never reaches the disk or
// the network's shares from a panel.
#include <windows.h>

#include <memory>
#include <string>

#include "base/DialogImpl.h"
#include "base/F3DLogHTML.h"
#include "online/BrowserEventDispatch.h"
#include "online/BrowserHost.h"
#include "online/BrowserLoadWait.h"
#include "online/NavigationFilters.h"

namespace corvane {

template <class TDialog, int BrowserId>
class THideIEDlgBase : public TDialogImpl<TDialog>, private IBrowserEvents {
 public:
  static constexpr int kBrowserId = BrowserId;

  // nullptr when the dialog has no browser control.
  CBrowserHost* Browser() { return m_browser.get(); }

 protected:
  THideIEDlgBase() = default;
  // Virtual: dialogs that delete themselves do so through their own type,
  // which has virtual functions through this base.
  virtual ~THideIEDlgBase() { ShutdownBrowserHost(); }
  THideIEDlgBase(const THideIEDlgBase&) = delete;
  THideIEDlgBase& operator=(const THideIEDlgBase&) = delete;

  // False: no browser control; the dialog keeps working with an empty panel.
  bool InitBrowserHost(HWND dialog) {
    ShutdownBrowserHost();
    m_browser = std::make_unique<CBrowserHost>();
    if (m_browser->Create(dialog, BrowserId, this)) return true;
    m_browser.reset();
    return false;
  }

  void ShutdownBrowserHost() {
    if (!m_browser) return;
    m_browser->Destroy();
    m_browser.reset();
  }

  // The one page of the program's own the panel may show besides our
  // hosts' pages: a "res:" address or the path of a page file it wrote.
  void SetOwnPage(const std::wstring& address) { m_ownPage = address; }

  // The panels' filter and what follows from it: sets cancel for anything
  // but a page the panel may load, and hands another site's page to the
  // user's browser.
  void GuardNavigation(const std::wstring& url, bool& cancel) {
    const bool topLevel = !m_browser || m_browser->NavigationIsTopLevel();
    const EPanelNavigation verdict = FilterPanelNavigation(url, m_ownPage, topLevel);
    if (verdict == EPanelNavigation::kProceed) return;
    cancel = true;
    OpenOutsidePanel(url, verdict == EPanelNavigation::kOpenInBrowser);
  }

  // A web page (`webPage`) goes to the user's browser; anything else is only
  // written to the log.
  static void OpenOutsidePanel(const std::wstring& url, bool webPage) {
    if (!webPage) {
      CF3DLogHTML::Instance().LogFormat(kLogWarn, L"Web panel: refused to open %ls: not a web page", url.c_str());
    } else if (!OpenInDefaultBrowser(url)) {
      CF3DLogHTML::Instance().LogFormat(kLogWarn, L"Web panel: the browser could not open %ls", url.c_str());
    }
  }

  // Navigates the browser to `url` and waits (pumping messages) until the
  // page is complete or limitMs have passed. Does not wait where no page can
  // load (no control, or no document engine on this system, as under Wine
  // without its browser engine): that would only stall the window.
  EReadyStateWaitResult NavigateAndWait(const std::wstring& url, uint32_t limitMs = 10000) {
    if (!m_browser || !m_browser->Navigate(url)) return EReadyStateWaitResult::kNotWaited;
    if (!CBrowserHost::EngineAvailable()) return EReadyStateWaitResult::kNotWaited;
    return WaitUntilLoaded(
        [this] { return m_browser ? m_browser->ReadyState() : kReadyStateComplete; }, limitMs);
  }

  // The base's share of the message routing: sets up the browser at
  // WM_INITDIALOG and releases it at WM_DESTROY, then the dialog's map.
  bool RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_INITDIALOG) InitBrowserHost(this->m_window);
    if (message == WM_DESTROY) ShutdownBrowserHost();
    return Self().ProcessWindowMessage(message, wParam, lParam, result);
  }

  // Hooks a dialog may hide (called on the UI thread).
  void OnBeforeNavigate(const std::wstring& url, const std::string& /*postData*/, bool& cancel) {
    GuardNavigation(url, cancel);
  }
  void OnNavigateError(const std::wstring& /*url*/, long /*statusCode*/) {}
  void OnDocumentComplete(const std::wstring& /*url*/) {}
  void OnTitleChange(const std::wstring& /*title*/) {}

 private:
  friend class TDialogImpl<TDialog>;
  TDialog& Self() { return static_cast<TDialog&>(*this); }

  void BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) override {
    Self().OnBeforeNavigate(url, postData, cancel);
  }
  void BrowserNavigateError(const std::wstring& url, long statusCode) override {
    Self().OnNavigateError(url, statusCode);
  }
  void BrowserDocumentComplete(const std::wstring& url) override { Self().OnDocumentComplete(url); }
  void BrowserTitleChange(const std::wstring& title) override { Self().OnTitleChange(title); }

  std::unique_ptr<CBrowserHost> m_browser;
  std::wstring m_ownPage;
};

}  // namespace corvane
