#include "skin/ButtonLook.h"

namespace corvane {

SButtonLook ChooseButtonLook(const SButtonState& state) {
  SButtonLook look;
  if (!state.enabled) {
    look.image = EButtonImage::kDisabled;
    return look;  // a disabled button cannot hold the focus or a press
  }
  look.focusMark = state.focused && state.showFocus;
  if (state.pressed) {
    look.image = EButtonImage::kPressed;
    look.frame = EButtonFrame::kSunken;
    look.imageOffset = 1;
  } else if (state.hot) {
    look.image = EButtonImage::kHover;
    look.frame = EButtonFrame::kRaised;
  } else if (state.focused) {
    look.frame = EButtonFrame::kRaised;
  }
  return look;
}

}  // namespace corvane
