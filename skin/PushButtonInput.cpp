#include "skin/PushButtonInput.h"

namespace corvane {

void CPushButtonInput::SpaceDown() { m_spaceDown = true; }

bool CPushButtonInput::SpaceUp() {
  const bool click = m_spaceDown;
  m_spaceDown = false;
  // A mouse button still held keeps its own press; the key's click wins
  // once, as with the system's button.
  if (click) m_mouseDown = false;
  return click;
}

void CPushButtonInput::MouseDown(bool inside) {
  if (!inside) return;
  m_mouseDown = true;
  m_mouseInside = true;
}

void CPushButtonInput::MouseMove(bool inside) {
  if (m_mouseDown) m_mouseInside = inside;
}

bool CPushButtonInput::MouseUp(bool inside) {
  const bool click = m_mouseDown && inside;
  m_mouseDown = false;
  m_mouseInside = false;
  return click;
}

void CPushButtonInput::Cancel() {
  m_spaceDown = false;
  m_mouseDown = false;
  m_mouseInside = false;
}

}  // namespace corvane
