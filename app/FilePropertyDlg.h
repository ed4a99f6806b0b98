#pragma once
// The property dialog (Windows only: include from _win.cpp files): the
// media information of one file, a list entry or the result of a join.
#include <windows.h>

#include "online/HideIEDlgBase.h"
#include "engine/VideoPropertyInfo.h"

namespace corvane {

// The banner page "snap.htm" of the program's resources is shown by the
// browser control 172 that the dialog base hosts.
class CFilePropertyDlg : public THideIEDlgBase<CFilePropertyDlg, 172> {
 public:
  // The record is only read and must outlive the dialog.
  explicit CFilePropertyDlg(const SVideoPropertyInfo& info) : m_info(info) {}

  // Shows the dialog modally, centred on its owner.
  INT_PTR DoModal(HWND owner);

 private:
  friend class THideIEDlgBase<CFilePropertyDlg, 172>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnInitDialog(HWND window);
  void LoadBanner();
  bool OnCommand(HWND window, WORD id);

  const SVideoPropertyInfo& m_info;
};

}  // namespace corvane
