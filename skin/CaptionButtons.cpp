#include "skin/CaptionButtons.h"

namespace corvane {
namespace {

bool IsButton(int button) { return button >= kAnchorSystem && button <= kAnchorClose; }

}  // namespace

bool CCaptionButtons::ButtonDown(int button) {
  if (!IsButton(button)) return false;
  m_pressed = m_hover = button;
  return true;
}

bool CCaptionButtons::MouseMove(int button, bool leftButtonDown) {
  if (!IsButton(button)) button = 0;
  int hover = button;
  if (m_pressed != 0 && button != m_pressed) {
    // Off the pressed button nothing lights up; the press itself lasts as
    // long as the mouse button is held, so coming back can still act.
    if (!leftButtonDown) m_pressed = 0;
    hover = 0;
  }
  const bool changed = hover != m_hover;
  m_hover = hover;
  return changed;
}

ECaptionAction CCaptionButtons::ButtonUp(bool maximised) {
  ECaptionAction action = ECaptionAction::kNone;
  if (m_pressed == m_hover) {
    switch (m_pressed) {
      case kAnchorMinimise: action = ECaptionAction::kMinimise; break;
      case kAnchorMaximise: action = maximised ? ECaptionAction::kRestore : ECaptionAction::kMaximise; break;
      case kAnchorClose: action = ECaptionAction::kClose; break;
      default: break;
    }
  }
  Clear();
  return action;
}

int CaptionButtonPart(int button, const CCaptionButtons& buttons) {
  // Each button's three parts follow each other: normal, Hover, Down.
  const int normal = kPartSystem + 3 * (button - kAnchorSystem);
  if (buttons.Hovered() != button) return normal;
  return buttons.Pressed() == button ? normal + 2 : normal + 1;
}

}  // namespace corvane
