#pragma once
// The main window: the modeless dialog 129.
//
// For now it holds the window identity, reads the launch data when it
// initialises and ends the program with exit code 2 when it closes.
#include <windows.h>

namespace corvane {

class CMainDlg {
 public:
  CMainDlg() = default;
  ~CMainDlg();
  CMainDlg(const CMainDlg&) = delete;
  CMainDlg& operator=(const CMainDlg&) = delete;

  // Creates the dialog modeless and without a parent; false on failure.
  bool Create();
  HWND Window() const { return m_window; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // One switch for every message; true when handled (result set).
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnInitDialog();
  bool OnCommand(WORD id, WORD code);
  void OnClose();

  HWND m_window = nullptr;
};

}  // namespace corvane
