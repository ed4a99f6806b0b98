#pragma once
// The one dialog procedure of both programs (Windows only: include from
// _win.cpp files and Windows-only headers).
//
// A dialog derives publicly, TDialogImpl<CMyDlg>, and has one message map:
//   bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// true when it handled the message, with `result` the message's answer (for
// WM_INITDIALOG: TRUE to let the system set the focus). The procedure keeps
// the object in the window's DWLP_USER from WM_INITDIALOG on, sets m_window
// before the map sees WM_INITDIALOG, clears it after WM_NCDESTROY, and is
// the only place that catches: no exception leaves it.
//
// Hooks a dialog may hide (befriend TDialogImpl<CMyDlg> when they are
// private):
//   void OnFinalMessage();              after WM_NCDESTROY; may delete the object
//   INT_PTR OnUnexpectedException();    a handler threw; the procedure's answer
//   bool RouteMessage(...);             a dialog base's share before the map
#include <windows.h>

namespace corvane {

template <class TDialog>
class TDialogImpl {
 public:
  HWND Window() const { return m_window; }

 protected:
  TDialogImpl() = default;
  ~TDialogImpl() = default;
  TDialogImpl(const TDialogImpl&) = delete;
  TDialogImpl& operator=(const TDialogImpl&) = delete;

  INT_PTR RunModal(HWND owner, int templateId) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner, &TDialogImpl::DialogProc,
                           reinterpret_cast<LPARAM>(this));
  }
  // A dialog laid out at run time (an in-memory template).
  INT_PTR RunModalIndirect(HWND owner, const DLGTEMPLATE* dialogTemplate) {
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, &TDialogImpl::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  }
  // Null when the window cannot be made.
  HWND CreateModeless(HWND owner, int templateId) {
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                              &TDialogImpl::DialogProc, reinterpret_cast<LPARAM>(this));
  }
  HWND CreateModelessIndirect(HWND owner, const DLGTEMPLATE* dialogTemplate) {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialogTemplate, owner, &TDialogImpl::DialogProc,
                                      reinterpret_cast<LPARAM>(this));
  }

  bool RouteMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return static_cast<TDialog&>(*this).ProcessWindowMessage(message, wParam, lParam, result);
  }
  void OnFinalMessage() {}
  INT_PTR OnUnexpectedException() { return FALSE; }

  HWND m_window = nullptr;

 private:
  // Messages whose answer is the procedure's return value; every other
  // answer goes through DWLP_MSGRESULT.
  static bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ||
           message == WM_COMPAREITEM || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
           message == WM_QUERYDRAGICON;
  }

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* base = reinterpret_cast<TDialogImpl*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
      base = reinterpret_cast<TDialogImpl*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      base->m_window = window;
    }
    if (!base) return FALSE;  // messages before WM_INITDIALOG
    TDialog& self = static_cast<TDialog&>(*base);
    try {
      LRESULT result = 0;
      const bool handled = self.RouteMessage(message, wParam, lParam, result);
      if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        base->m_window = nullptr;
        self.OnFinalMessage();
        return FALSE;
      }
      if (!handled) return FALSE;
      if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
      SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
      return TRUE;
    } catch (...) {
      return self.OnUnexpectedException();  // nothing may leave a window procedure
    }
  }
};

}  // namespace corvane
