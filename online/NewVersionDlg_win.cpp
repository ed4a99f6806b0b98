#include "online/NewVersionDlg.h"

#include "online/OnlineResource.h"
#include "online/VersionCheck.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {

INT_PTR CNewVersionDlg::DoModal(HWND owner) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NEW_VERSION), owner,
                         &CNewVersionDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CNewVersionDlg::OnInitDialog(HWND window) {
  // The title template of the resource, translated, with the product's name.
  wchar_t titleTemplate[128] = {};
  GetWindowTextW(window, titleTemplate, 128);
  std::wstring title = Translate(titleTemplate);
  const size_t slot = title.find(L"%s");
  if (slot != std::wstring::npos) title.replace(slot, 2, Translate(L"Corvane(tavrel)"));
  SetWindowTextW(window, title.c_str());
  // The window's frame skin comes from the skin manager once the program
  // has one; the dialog is centred by its template (DS_CENTER) until then.
  SetDlgItemTextW(window, IDC_NV_CURRENT_VERSION, m_data.currentVersion.c_str());
  SetDlgItemTextW(window, IDC_NV_CURRENT_DATE, FormatReleaseDate(m_data.currentReleaseDate).c_str());
  SetDlgItemTextW(window, IDC_NV_LATEST_VERSION, m_data.latestVersion.c_str());
  SetDlgItemTextW(window, IDC_NV_LATEST_DATE, m_data.latestReleaseDate.c_str());
  CheckDlgButton(window, IDC_NV_NO_REMINDER, m_data.noReminder ? BST_CHECKED : BST_UNCHECKED);
  if (m_updateLink.AttachDlgItem(window, IDC_NV_UPDATE_LINK)) {
    m_updateLink.SetLabel(Translate(L"Do you wish to update now?"));
    m_updateLink.SetTarget(m_data.installerUrl);
  }
  if (m_data.hideCheckbox) ShowWindow(GetDlgItem(window, IDC_NV_NO_REMINDER), SW_HIDE);
  TranslateWindow(window);
  // TranslateWindow knows the resource's texts, not the title made above.
  SetWindowTextW(window, title.c_str());
}

void CNewVersionDlg::SaveAndEnd(HWND window) {
  m_data.noReminder = IsDlgButtonChecked(window, IDC_NV_NO_REMINDER) == BST_CHECKED;
  EndDialog(window, IDOK);
}

INT_PTR CALLBACK CNewVersionDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<CNewVersionDlg*>(lParam)->OnInitDialog(window);
      return TRUE;
    }
    auto* self = reinterpret_cast<CNewVersionDlg*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self || message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
      case IDOK:
        self->SaveAndEnd(window);
        return TRUE;
      case IDC_NV_UPDATE_LINK:
        self->m_linkUsed = true;
        self->SaveAndEnd(window);
        return TRUE;
      case IDCANCEL:
        EndDialog(window, IDCANCEL);
        return TRUE;
      default:
        return FALSE;
    }
  } catch (...) {
    return FALSE;  // nothing may leave a window procedure
  }
}

}  // namespace corvane
