#include "app/AboutDlg.h"

#include <shellapi.h>

#include <string>

#include "base/DialogPlacement.h"
#include "app/VendorAddresses.h"
#include "app/resource.h"
#include "base/ModuleFileInfo.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

void Open(HWND window, const std::wstring& target) {
  ShellExecuteW(window, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

INT_PTR CAboutDlg::DoModal(HWND owner) {
  return RunModal(owner, IDD_ABOUT);
}

void CAboutDlg::OnInitDialog(HWND window) {
  CentreOnOwner(window);
  const std::wstring product = Translate(L"Corvane(tavrel)") + L" " + CModuleFileInfo::GetVersionText(kVersionShort);
  SetDlgItemTextW(window, IDC_ABOUT_PRODUCT, product.c_str());
  const std::wstring mailTarget = std::wstring(L"mailto:") + kVendorMailAddress;
  struct {
    CDeadLink& link;
    int id;
    const wchar_t* label;
    const std::wstring target;  // shown in the tool tip; opened by the command
  } links[] = {{m_webLink, IDC_ABOUT_WEB_LINK, kVendorWebAddress, kVendorWebAddress},
               {m_mailLink, IDC_ABOUT_MAIL_LINK, kVendorMailAddress, mailTarget}};
  for (auto& entry : links) {
    SetDlgItemTextW(window, entry.id, entry.label);
    if (entry.link.AttachDlgItem(window, entry.id)) entry.link.SetTarget(entry.target);
  }
  TranslateWindow(window);
  // The links take the keyboard focus too; the dialog starts on OK so that
  // Enter closes it rather than opening a link.
  SetFocus(GetDlgItem(window, IDCANCEL));
}

bool CAboutDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(m_window);
      result = FALSE;  // the focus is set
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    default:
      return false;
  }
}

bool CAboutDlg::OnCommand(int id) {
  switch (id) {
    case IDCANCEL:
    case IDOK:
      EndDialog(m_window, id);
      return true;
    case IDC_ABOUT_WEB_LINK:
      Open(m_window, kVendorWebAddress);
      return true;
    case IDC_ABOUT_MAIL_LINK:
      Open(m_window, std::wstring(L"mailto:") + kVendorMailAddress);
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
