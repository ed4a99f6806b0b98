#include "app/MainDlg.h"

#include <commctrl.h>

#include "app/JoinConvData.h"
#include "app/OneInstance2.h"
#include "app/resource.h"

namespace corvane {
namespace {

// Exit code of a normal run: the main window always quits with 2.
constexpr int kExitCodeClosed = 2;

}  // namespace

CMainDlg::~CMainDlg() {
  if (m_window) DestroyWindow(m_window);
}

bool CMainDlg::Create() {
  m_window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAINDLG), /*parent=*/nullptr,
                                &CMainDlg::DialogProc, reinterpret_cast<LPARAM>(this));
  return m_window != nullptr;
}

INT_PTR CALLBACK CMainDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CMainDlg*>(GetWindowLongPtrW(window, DWLP_USER));
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CMainDlg*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->m_window = window;
  }
  if (!self) return FALSE;
  LRESULT result = 0;
  bool handled = false;
  try {
    // Identity first, then the dialog's own handlers.
    handled = COneInstance2::Instance() &&
              COneInstance2::Instance()->ProcessWindowMessage(window, message, wParam, lParam, result);
    if (!handled) handled = self->ProcessWindowMessage(message, wParam, lParam, result);
  } catch (...) {
    return FALSE;  // nothing may leave a window procedure
  }
  if (!handled) return FALSE;
  if (message == WM_INITDIALOG) return result;
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

bool CMainDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog() ? TRUE : FALSE;
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
      OnClose();
      return true;
    case WM_NCDESTROY:
      m_window = nullptr;
      return false;
    default:
      return false;
  }
}

bool CMainDlg::OnInitDialog() {
  CheckDlgButton(m_window, IDC_FAST_JOIN, BST_CHECKED);
  CJoinConvData::Instance().ParseLaunchData();
  // A copy started with launch data begins joining at once; the Join
  // command does nothing with fewer than two files.
  PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(IDC_JOIN, BN_CLICKED), 0);
  SendDlgItemMessageW(m_window, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
  return true;  // let the system set the focus
}

bool CMainDlg::OnCommand(WORD id, WORD /*code*/) {
  if (id == IDCANCEL) {  // 2: the close box, or the instance closer
    OnClose();
    return true;
  }
  return false;
}

void CMainDlg::OnClose() {
  if (m_window) DestroyWindow(m_window);
  PostQuitMessage(kExitCodeClosed);
}

}  // namespace corvane
