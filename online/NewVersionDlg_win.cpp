#include "online/NewVersionDlg.h"

#include "online/OnlineResource.h"
#include "online/VersionCheck.h"
#include "skin/FrameSkinManager.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {

INT_PTR CNewVersionDlg::DoModal(HWND owner) {
  return RunModal(owner, IDD_NEW_VERSION);
}

void CNewVersionDlg::OnInitDialog(HWND window) {
  // The title template of the resource, translated, with the product's name.
  wchar_t titleTemplate[128] = {};
  GetWindowTextW(window, titleTemplate, 128);
  std::wstring title = Translate(titleTemplate);
  const size_t slot = title.find(L"%s");
  if (slot != std::wstring::npos) title.replace(slot, 2, Translate(L"Corvane(tavrel)"));
  SetWindowTextW(window, title.c_str());
  // The frame comes from the selected skin, if any (none by default); the
  // dialog's own shadows step aside while it does. The template centres it.
  CFrameSkinManager::Instance().SkinWindow(window);
  m_shadow.SetSkinActiveQuery(FrameSkinActiveQuery());
  m_shadow.Attach(window);
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

bool CNewVersionDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(m_window);
      result = TRUE;
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    default:
      return false;
  }
}

bool CNewVersionDlg::OnCommand(int id) {
  switch (id) {
    case IDOK:
      SaveAndEnd(m_window);
      return true;
    case IDC_NV_UPDATE_LINK:
      m_linkUsed = true;
      SaveAndEnd(m_window);
      return true;
    case IDCANCEL:
      EndDialog(m_window, IDCANCEL);
      return true;
    default:
      return false;
  }
}

}  // namespace corvane
