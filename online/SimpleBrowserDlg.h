#pragma once
// The stand-alone browser window (Windows only: include from _win.cpp
// files): the maker's HTML toolbar above a page, modeless, one object per
// window, deleted with its window. CSBDlgManager knows the open ones.
//
// Where the system cannot show pages (no browser engine, as under Wine
// without its engine) the address goes to the system's web browser instead;
// a window whose closing ends the program is shown all the same, so that
// closing it still does.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "online/BrowserHost.h"
#include "online/HideIEDlgBase.h"
#include "online/NavigationFilters.h"
#include "online/OnlineResource.h"

namespace corvane {

struct SBrowserWindowRequest {
  std::wstring address;
  std::string postData;              // form bytes; empty for a plain request
  std::wstring language;             // "Chinese Simplified" when empty
  std::wstring pageKind = L"flv";    // the toolbar's "type"
  bool addLanguage = false;          // add "lang=" + language to the address
  bool closingEndsProgram = false;   // closing sends `owner` command 2 (Close)
  HWND owner = nullptr;              // receives command 2030 ("download") and 2; not the window's owner
};

// The address the window loads first.
std::wstring StartAddressOf(const SBrowserWindowRequest& request);

class CSimpleBrowserDlg : public THideIEDlgBase<CSimpleBrowserDlg, IDC_SB_PAGE> {
 public:
  // Opens a window (or the system's browser, see above). False when
  // neither could be opened.
  static bool Open(const SBrowserWindowRequest& request);

  // Browser events of the page (the dialog base calls these).
  void OnBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel);
  void OnNavigateError(const std::wstring& url, long statusCode);
  void OnDocumentComplete(const std::wstring&) {}
  void OnTitleChange(const std::wstring& title);

 private:
  class CUpIE;
  explicit CSimpleBrowserDlg(SBrowserWindowRequest request);
  ~CSimpleBrowserDlg() override;
  bool Create();
  friend class TDialogImpl<CSimpleBrowserDlg>;
  friend class THideIEDlgBase<CSimpleBrowserDlg, IDC_SB_PAGE>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The window is gone: so is the object.
  void OnFinalMessage() { delete this; }
  void OnInitDialog();
  void Layout();
  void OnToolbarNavigate(const std::wstring& url, const std::string& postData, bool& cancel);
  void PerformCommand(const std::wstring& command, const std::wstring& argument);
  // Our pages in this window; other web pages in the user's browser;
  // anything else nowhere (logged).
  void OpenAddress(const std::wstring& address);
  void OpenOutside(const std::wstring& address, EPanelDestination destination);

  SBrowserWindowRequest m_request;
  std::unique_ptr<CUpIE> m_toolbar;
};

// The open stand-alone windows of the process (user-interface thread only).
class CSBDlgManager {
 public:
  static CSBDlgManager& Instance();
  void Add(HWND window);
  void Remove(HWND window);
  size_t Count() const { return m_windows.size(); }
  // Dialog keys (Tab, Enter, Esc) for a message to one of the windows;
  // true when it was handled there.
  bool RouteDialogMessage(MSG& message);
  // Closes every window, for the end of the program.
  void DestroyAll();

 private:
  std::vector<HWND> m_windows;
};

}  // namespace corvane
