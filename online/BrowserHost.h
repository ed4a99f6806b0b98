#pragma once
// The embedded web-browser control of a dialog (Windows only: include from
// _win.cpp files and Windows-only headers).
//
// CBrowserHost puts the platform's browser control where the dialog's
// placeholder control is: the placeholder gives way to a container window
// with the same rectangle, id and visibility, so GetDlgItem(dialog, id)
// finds the panel whether or not the control itself could be made. Inside
// the container the host is the control's client site and in-place site and
// receives its events (DWebBrowserEvents2), which it hands to an
// IBrowserEvents on the user-interface thread.
//
// Failures never take the window down: without a control (the system has
// none, or it refuses to start) the panel stays an empty area; when the
// events cannot be connected the control still shows pages, only the hooks
// stay silent. Either is written to the program's log.
#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>
#include <wrl/client.h>

#include <string>

namespace corvane {

// What the host reports from the control. All calls come on the thread that
// made the host, from inside the control's own message handling.
class IBrowserEvents {
 public:
  // Before every navigation of the control or its frames; postData holds
  // the bytes of a form submission (empty for a plain link). Setting cancel
  // stops the navigation.
  virtual void BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) = 0;
  // statusCode: the HTTP status or the system's error code (HRESULT).
  virtual void BrowserNavigateError(const std::wstring& url, long statusCode) = 0;
  virtual void BrowserDocumentComplete(const std::wstring& url) = 0;
  virtual void BrowserTitleChange(const std::wstring& title) = 0;

 protected:
  ~IBrowserEvents() = default;
};

class CBrowserSite;

// Relays the control's events to the dialog's IBrowserEvents and keeps the
// page title on the way.
class CBrowserHost final : private IBrowserEvents {
 public:
  CBrowserHost();
  ~CBrowserHost();  // Destroy()
  CBrowserHost(const CBrowserHost&) = delete;
  CBrowserHost& operator=(const CBrowserHost&) = delete;

  // Replaces the dialog's control `placeholderId` with the panel and starts
  // the browser control in it. True when the control runs (even when its
  // events could not be connected: see EventsConnected()); false leaves an
  // empty panel. The control is set not to register as a browser, not to
  // accept drops and not to show script errors. COM must be initialised on
  // this thread (single-threaded apartment).
  bool Create(HWND dialog, int placeholderId, IBrowserEvents* events);
  // Disconnects the events and releases the control; the panel window goes
  // with its dialog. Safe to call twice.
  void Destroy();

  bool HasControl() const;
  bool EventsConnected() const { return m_adviseCookie != 0; }

  // postData (bytes, e.g. form data) makes the request a POST.
  bool Navigate(const std::wstring& url, const std::string& postData = {});
  int ReadyState() const;  // READYSTATE_* (0..4); 0 without a control
  // The panel's rectangle in its dialog's client coordinates.
  void SetBounds(const RECT& clientRect);
  void GoBack();
  void GoForward();
  void Stop();
  void Refresh();
  // The page's title as last reported by the control; empty before.
  std::wstring Title() const;
  // Inside a before-navigate event: whether the navigation is the page's
  // own rather than one of its frames'.
  bool NavigationIsTopLevel() const { return m_topLevelNavigation; }
  HWND Window() const { return m_panel; }

  // Offers a keyboard message aimed at a window inside a browser panel to
  // that panel's page first (its shortcuts, Tab between its links, a
  // player's keys); true when the page used it and the message is done.
  // The message loop calls this before the dialog's own keyboard handling,
  // which would otherwise take Tab, Enter and the arrow keys away.
  static bool TranslatePageAccelerator(MSG& message);

  // Whether this system can show a page at all: the HTML document engine
  // behind the control can be created. Measured once per process.
  static bool EngineAvailable();

  // Sites (the control's partner objects) alive in this process: 0 once every
  // host is destroyed and every control has let go of its site.
  static long LiveSiteCount();

 private:
  friend class CBrowserSite;
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreatePanel(HWND dialog, int placeholderId);
  bool CreateControl();
  bool ConnectEvents();
  void FitControlToPanel();
  bool OfferKeyToPage(MSG& message);

  // IBrowserEvents, from the site
  void BrowserBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) override;
  void BrowserNavigateError(const std::wstring& url, long statusCode) override;
  void BrowserDocumentComplete(const std::wstring& url) override;
  void BrowserTitleChange(const std::wstring& title) override;

  IBrowserEvents* m_events = nullptr;
  HWND m_panel = nullptr;
  Microsoft::WRL::ComPtr<CBrowserSite> m_site;
  Microsoft::WRL::ComPtr<IOleObject> m_object;
  Microsoft::WRL::ComPtr<IWebBrowser2> m_browser;
  Microsoft::WRL::ComPtr<IConnectionPoint> m_connection;
  DWORD m_adviseCookie = 0;
  std::wstring m_title;
  bool m_topLevelNavigation = true;
};

}  // namespace corvane
