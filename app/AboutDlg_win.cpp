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
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, &CAboutDlg::DialogProc,
                         reinterpret_cast<LPARAM>(this));
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

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<CAboutDlg*>(lParam)->OnInitDialog(window);
      return FALSE;  // the focus is set
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
      case IDCANCEL:
      case IDOK:
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      case IDC_ABOUT_WEB_LINK:
        Open(window, kVendorWebAddress);
        return TRUE;
      case IDC_ABOUT_MAIL_LINK:
        Open(window, std::wstring(L"mailto:") + kVendorMailAddress);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    return FALSE;  // nothing may leave a window procedure
  }
}

}  // namespace corvane
