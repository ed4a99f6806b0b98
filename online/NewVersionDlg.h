#pragma once
// The New Version dialog 253 (Windows only: include from _win.cpp files):
// the program's version and release date beside the latest ones, a link
// that asks "Do you wish to update now?", the "Don't remind me again" box
// and OK. OK or the link means "update": the caller then hands over to the
// updater (HandOffToUpdater), having opened the installer page first when
// the link was used.
#include <windows.h>

#include <string>

#include "base/DialogImpl.h"
#include "skin/DeadLink.h"
#include "skin/ShadowWindow.h"

namespace corvane {

struct SNewVersionData {
  std::wstring currentVersion;      // the short version string
  std::wstring currentReleaseDate;  // compiler form ("Aug  7 2015"), shown as 08-07-2015
  std::wstring latestVersion;
  std::wstring latestReleaseDate;   // shown as the server wrote it
  std::wstring downloadUrl;         // not shown; for the hand-off
  std::wstring installerUrl;        // the link's target
  bool hideCheckbox = false;
  bool noReminder = false;          // the check box, in and out
};

class CNewVersionDlg : public TDialogImpl<CNewVersionDlg> {
 public:
  explicit CNewVersionDlg(SNewVersionData data) : m_data(std::move(data)) {}

  // Modal over `owner`. IDOK when the user chose to update (OK or the link),
  // IDCANCEL when the dialog was closed. The check box is saved into
  // Data().noReminder on OK and on the link only.
  INT_PTR DoModal(HWND owner);
  const SNewVersionData& Data() const { return m_data; }
  bool LinkUsed() const { return m_linkUsed; }

 private:
  friend class TDialogImpl<CNewVersionDlg>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnCommand(int id);
  void OnInitDialog(HWND window);
  void SaveAndEnd(HWND window);

  SNewVersionData m_data;
  bool m_linkUsed = false;
  CDeadLink m_updateLink;
  CDialogShadow m_shadow;
};

}  // namespace corvane
