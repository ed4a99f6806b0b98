#pragma once
// The About dialog (Windows only: include from _win.cpp files): the product
// line with the short version, the maker's web site and e-mail address.
#include <windows.h>

#include "base/DialogImpl.h"
#include "skin/DeadLink.h"

namespace corvane {

class CAboutDlg : public TDialogImpl<CAboutDlg> {
 public:
  // Shows the dialog modally, centred on the owner.
  INT_PTR DoModal(HWND owner);

 private:
  friend class TDialogImpl<CAboutDlg>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnInitDialog(HWND window);
  bool OnCommand(int id);

  // Both links only report their clicks (1005, 101); the dialog opens them.
  CDeadLink m_webLink;
  CDeadLink m_mailLink;
};

}  // namespace corvane
