#pragma once
// The main window's language box (Windows only: include from _win.cpp
// files): an extended combo box listing the installed languages with their
// icons; each item shows "<translated name>\t[<name>]". Choosing another
// language switches the manager and re-translates the box's parent window.
//
// The box does not subclass anything: its parent forwards WM_NOTIFY and
// WM_COMMAND from the control to HandleNotify / HandleCommand.
#include <windows.h>

#include <string>

#include "settings/MultiLanguage.h"

namespace corvane {

class CMultiLangCombobox {
 public:
  static constexpr int kControlId = 1018;

  explicit CMultiLangCombobox(CMultiLanguage& manager) : m_manager(manager) {}
  CMultiLangCombobox() : CMultiLangCombobox(CMultiLanguage::Instance()) {}

  // `combo` is an extended combo box ("ComboBoxEx32").
  void Attach(HWND combo) { m_combo = combo; }
  HWND Handle() const { return m_combo; }

  // Attaches the manager's icons and inserts one item per language with its
  // display text; the images are asked for when shown.
  void Fill();
  // Selects entry `index` in the box (no language switch).
  void SetSelection(int index);
  int Selection() const;
  // The language a window starts in, applied as choosing it in the box
  // would: the box selects `index` (none for -1), the manager switches to
  // that entry (English for -1) so that it is also the stored setting, and
  // the items' texts follow. The caller then translates its window.
  void SelectAtStart(int index);

  // CBEN_GETDISPINFOW from the box (images, and text if asked): true when handled.
  bool HandleNotify(const NMHDR* header);
  // CBN_SELCHANGE from the box: switches language and re-translates the
  // parent; true when handled.
  bool HandleCommand(UINT code, HWND control);

  // The text an item shows: Translate(name) + "\t[" + name + "]".
  std::wstring DisplayText(int index) const;

 private:
  void ResetItemTexts();

  CMultiLanguage& m_manager;
  HWND m_combo = nullptr;
};

}  // namespace corvane
