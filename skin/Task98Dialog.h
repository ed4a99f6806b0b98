#pragma once
// The task dialog for systems whose common-controls library has none: the
// content of a task dialog laid out in an in-memory dialog template and
// shown modally. Windows only.
#include <windows.h>

#include "base/DialogImpl.h"
#include "skin/GdiObject.h"
#include "skin/ShadowWindow.h"
#include "skin/Task98Layout.h"

namespace corvane {

class CTask98Dialog : public TDialogImpl<CTask98Dialog> {
 public:
  // Shows the dialog owned by `owner` until it ends; showing the details
  // rebuilds it (closed and shown again with the details).
  static STask98Result Show(HWND owner, STask98Config config);

 private:
  friend class TDialogImpl<CTask98Dialog>;
  explicit CTask98Dialog(STask98Config& config) : m_config(config) {}
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnInitDialog();
  bool OnCommand(WORD id, WORD code);
  void End(int button);

  STask98Config& m_config;
  STask98Layout m_layout;
  STask98Result m_result;
  TGdiObject<HFONT> m_instructionFont;
  CDialogShadow m_shadow;
  bool m_rebuild = false;
};

// Makes the program's messages appear through this dialog where the
// system's task dialog is missing.
void InstallTask98MessageFallback();

}  // namespace corvane
