#include "app/AboutDlg.h"

#include <shellapi.h>

#include <string>

#include "app/DialogPlacement.h"
#include "app/VendorAddresses.h"
#include "app/resource.h"
#include "base/ModuleFileInfo.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

void OnInitDialog(HWND window) {
  CentreOnOwner(window);
  const std::wstring product = Translate(L"Corvane(tavrel)") + L" " + CModuleFileInfo::GetVersionText(kVersionShort);
  SetDlgItemTextW(window, IDC_ABOUT_PRODUCT, product.c_str());
  SetDlgItemTextW(window, IDC_ABOUT_WEB_LINK, kVendorWebAddress);
  SetDlgItemTextW(window, IDC_ABOUT_MAIL_LINK, kVendorMailAddress);
  TranslateWindow(window);
}

void Open(HWND window, const std::wstring& target) {
  ShellExecuteW(window, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

INT_PTR CAboutDlg::DoModal(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, &CAboutDlg::DialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  try {
    if (message == WM_INITDIALOG) {
      OnInitDialog(window);
      return TRUE;
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
