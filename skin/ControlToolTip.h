#pragma once
// A tool tip for one control (Windows only: include from _win.cpp files).
// The tip window belongs to this object and is destroyed with it or with
// the control's parent, whichever comes first.
#include <windows.h>

#include <string>

namespace corvane {

class CControlToolTip {
 public:
  CControlToolTip() = default;
  ~CControlToolTip() { Destroy(); }
  CControlToolTip(const CControlToolTip&) = delete;
  CControlToolTip& operator=(const CControlToolTip&) = delete;

  // Shows `text` when the mouse rests on `control`; an empty text removes
  // the tip. The tip window is made on first use.
  void SetText(HWND control, const std::wstring& text);
  std::wstring Text() const { return m_text; }
  HWND Handle() const { return m_tip; }
  void Destroy();

 private:
  HWND m_tip = nullptr;
  HWND m_control = nullptr;
  bool m_toolAdded = false;
  std::wstring m_text;
};

}  // namespace corvane
