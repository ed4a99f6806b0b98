#include "app/MainDlgIECtrlFj.h"

namespace corvane {

bool CMainDlgIECtrl_fj::Create(HWND dialog, int id) {
  // The control takes a placeholder's place; this one has no size and is
  // never shown, so the window looks as its resource lays it out.
  HWND placeholder = CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 0, 0, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!placeholder) return false;
  return m_host.Create(dialog, id, this);
}

}  // namespace corvane
