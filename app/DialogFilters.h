#pragma once
// The file-type filters of the program's file dialogs, with translated
// labels, in the two forms the system's dialogs take (Windows only: include
// from _win.cpp files).
#include <windows.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "app/SaveFilters.h"

namespace corvane {

class CDialogFilters {
 public:
  // Translates each label into the current language.
  explicit CDialogFilters(const std::vector<SFileFilter>& filters);

  // For the item-based dialogs; the entries point into this object.
  std::vector<COMDLG_FILTERSPEC> Specs() const;
  // For the classic dialogs: "label\0pattern\0" for each filter; the
  // string's own terminator ends the list.
  std::wstring ClassicText() const;

 private:
  std::vector<SFileFilter> m_filters;
};

}  // namespace corvane
