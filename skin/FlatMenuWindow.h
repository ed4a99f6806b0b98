#pragma once
// The flat frame of a popup menu (Windows only: include from _win.cpp
// files): a one-pixel border around a plain background, a strip along the
// left edge, and, where the menu hangs from an item of a menu bar, a joint:
// the part of the top border left open under that item. The menu draws its
// items itself; only the frame is ours.
#include <windows.h>

#include "skin/F3dWindow.h"

namespace corvane {

class CFlatMenuWindow : public CF3dWindow {
 public:
  CFlatMenuWindow(COLORREF border, COLORREF background, COLORREF strip, int jointWidth = 0)
      : m_border(border), m_background(background), m_strip(strip), m_jointWidth(jointWidth) {}

  // 0 or less: the top border is closed.
  void SetJointWidth(int width);

 protected:
  bool ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void PaintFrame();

  COLORREF m_border;
  COLORREF m_background;
  COLORREF m_strip;
  int m_jointWidth;
};

}  // namespace corvane
