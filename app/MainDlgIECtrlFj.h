#pragma once
// The main window's second browser control (Windows only): made at the
// window's initialisation beside the web panel, hidden and loading nothing,
// and released when the window goes.
#include <windows.h>

#include <string>

#include "online/BrowserHost.h"

namespace corvane {

class CMainDlgIECtrl_fj final : private IBrowserEvents {
 public:
  CMainDlgIECtrl_fj() = default;
  ~CMainDlgIECtrl_fj() { Destroy(); }
  CMainDlgIECtrl_fj(const CMainDlgIECtrl_fj&) = delete;
  CMainDlgIECtrl_fj& operator=(const CMainDlgIECtrl_fj&) = delete;

  // Makes the hidden child `id` of `dialog` and the control in its place;
  // false where the system has no browser control (nothing else changes).
  bool Create(HWND dialog, int id);
  void Destroy() { m_host.Destroy(); }
  bool HasControl() const { return m_host.HasControl(); }

 private:
  // It shows nothing, so nothing it reports needs an answer.
  void BrowserBeforeNavigate(const std::wstring&, const std::string&, bool&) override {}
  void BrowserNavigateError(const std::wstring&, long) override {}
  void BrowserDocumentComplete(const std::wstring&) override {}
  void BrowserTitleChange(const std::wstring&) override {}

  CBrowserHost m_host;
};

}  // namespace corvane
