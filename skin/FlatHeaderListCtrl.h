#pragma once
// Report lists with a flat header (Windows only: include from _win.cpp
// files). CFlatHeaderListCtrl attaches to a dialog's list-view control and
// gives its header the flat style; TVistaStyleListCtrl adds the explorer
// look of the system's file windows: the "Explorer" theme, double-buffered
// drawing (no flicker while rows change) and full-row selection.
#include <windows.h>

#include "skin/F3dWindow.h"

namespace corvane {

class CFlatHeaderListCtrl : public CF3dWindow {
 public:
  HWND Header() const;

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnAttached() override;
};

// The explorer look on `list` (kept when the system theme changes).
void ApplyExplorerLook(HWND list);

// TDerived is the concrete list; TBase the list class underneath.
template <class TDerived, class TBase = CFlatHeaderListCtrl>
class TVistaStyleListCtrl : public TBase {
 protected:
  void OnAttached() override {
    TBase::OnAttached();
    ApplyExplorerLook(this->Handle());
  }
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_THEMECHANGED) {
      result = this->DefaultProc(message, wParam, lParam);
      ApplyExplorerLook(this->Handle());
      return true;
    }
    return TBase::ProcessWindowMessage(message, wParam, lParam, result);
  }
};

}  // namespace corvane
