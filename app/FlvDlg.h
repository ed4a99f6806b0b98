#pragma once
// The preview window (Windows only: include from _win.cpp files): plays one
// file inside the embedded browser through a generated player page.
//
// Modeless, without an owner, shown at once; several may be open and each
// lives on its own, independent of the main window and its join. The object
// belongs to its window and is deleted when the window is destroyed. The
// page is a temporary "TFR" file in the system's temporary folder, removed
// when the window closes. The window's position is kept in "Settings" /
// "Placement1".
#include <windows.h>

#include <string>
#include <vector>

#include "app/PreviewLayout.h"
#include "app/resource.h"
#include "online/HideIEDlgBase.h"

namespace corvane {

class CFlvDlg : public THideIEDlgBase<CFlvDlg, IDC_FLV_BROWSER> {
 public:
  // Creates and shows a preview window for `path`. The dialog template
  // comes from `resources` (the program itself when null). Returns the
  // window's object, which stays valid until the window is destroyed, or
  // null when no window could be made or no player page plays the file's
  // type (kPreviewNone).
  static CFlvDlg* Open(const std::wstring& path, HMODULE resources = nullptr);

  EPreviewKind Kind() const { return m_kind; }
  // The temporary page file in use; empty when not made.
  const std::wstring& PageFile() const { return m_pageFile; }

 private:
  explicit CFlvDlg(const std::wstring& path);
  ~CFlvDlg();

  bool Create(HMODULE resources);
  friend class TDialogImpl<CFlvDlg>;
  friend class THideIEDlgBase<CFlvDlg, IDC_FLV_BROWSER>;
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The window is gone: a preview that owns itself goes with it.
  void OnFinalMessage();
  void OnInitDialog(HWND window);
  void OnDestroy();
  void FitBrowserToWindow();

  // Shows the window at its stored position when that is usable; false
  // when the window still has to be shown in its default way.
  bool ApplyStoredPlacement();
  void StorePlacement();
  // Writes the page for the window's current size and navigates the
  // browser to it. Nothing is shown when the file cannot be written.
  void BuildAndShowPage();
  void RemovePageFile();

  std::vector<std::wstring> m_files;
  EPreviewKind m_kind;
  bool m_ownsItself = false;
  std::wstring m_pageFile;
};

}  // namespace corvane
