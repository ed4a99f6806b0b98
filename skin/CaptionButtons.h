#pragma once
// The pressed and hovered caption buttons of one skinned window and what the
// mouse does to them. Buttons are numbered as their anchors: 0 none,
// 1 System, 2 Minimise, 3 Maximise, 4 Close (ESkinAnchor).
#include "skin/WindowSkin.h"

namespace corvane {

enum class ECaptionAction { kNone, kMinimise, kMaximise, kRestore, kClose };

class CCaptionButtons {
 public:
  int Pressed() const { return m_pressed; }
  int Hovered() const { return m_hover; }

  // Left button down over `button`; true when the caption row needs a
  // repaint (a button was pressed). Pressing System opens the system menu,
  // after which the window calls Clear().
  bool ButtonDown(int button);

  // The cursor moved over `button` (0 for none) with the left mouse button
  // still down or not. True when the hovered button changed.
  bool MouseMove(int button, bool leftButtonDown);

  // Left button up: acts only when released over the button it pressed.
  // Both buttons are cleared.
  ECaptionAction ButtonUp(bool maximised);

  void Clear() { m_pressed = m_hover = 0; }

 private:
  int m_pressed = 0;
  int m_hover = 0;
};

// The part a caption button is drawn with: its normal part, its Hover part
// while hovered, its Down part while hovered and pressed.
int CaptionButtonPart(int button, const CCaptionButtons& buttons);

}  // namespace corvane
