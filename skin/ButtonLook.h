#pragma once
// Which picture an image button shows for its state, apart from any
// window: the image (normal, pressed, hover or disabled look), how far the
// image is pushed, the frame around it and whether a focus mark is drawn.
namespace corvane {

enum class EButtonImage { kNormal, kPressed, kHover, kDisabled };
enum class EButtonFrame { kNone, kRaised, kSunken };

struct SButtonState {
  bool enabled = true;
  bool pressed = false;
  bool hot = false;      // the mouse is over the button
  bool focused = false;
  bool showFocus = true;  // the window shows focus marks (no UISF_HIDEFOCUS)
};

struct SButtonLook {
  EButtonImage image = EButtonImage::kNormal;
  EButtonFrame frame = EButtonFrame::kNone;
  int imageOffset = 0;  // pixels right and down
  bool focusMark = false;
};

// Disabled wins over everything; pressed over hover; a flat button shows a
// raised frame only while hot or focused, a sunken one while pressed.
SButtonLook ChooseButtonLook(const SButtonState& state);

}  // namespace corvane
