// Which image, frame and offset an image button shows for each state.
#include <gtest/gtest.h>

#include <string>

#include "skin/ButtonLook.h"

namespace corvane {
namespace {

struct SLookCase {
  const char* name;
  SButtonState state;
  EButtonImage image;
  EButtonFrame frame;
  int offset;
  bool focusMark;
};

SButtonState State(bool enabled, bool pressed, bool hot, bool focused, bool showFocus = true) {
  SButtonState s;
  s.enabled = enabled;
  s.pressed = pressed;
  s.hot = hot;
  s.focused = focused;
  s.showFocus = showFocus;
  return s;
}

class ButtonLookTable : public ::testing::TestWithParam<SLookCase> {};

TEST_P(ButtonLookTable, ChoosesImageFrameAndFocus) {
  const SLookCase& c = GetParam();
  const SButtonLook look = ChooseButtonLook(c.state);
  EXPECT_EQ(look.image, c.image);
  EXPECT_EQ(look.frame, c.frame);
  EXPECT_EQ(look.imageOffset, c.offset);
  EXPECT_EQ(look.focusMark, c.focusMark);
}

using I = EButtonImage;
using F = EButtonFrame;
INSTANTIATE_TEST_SUITE_P(
    States, ButtonLookTable,
    ::testing::Values(
        SLookCase{"IdleIsFlat", State(true, false, false, false), I::kNormal, F::kNone, 0, false},
        SLookCase{"HotIsRaisedHover", State(true, false, true, false), I::kHover, F::kRaised, 0, false},
        SLookCase{"PressedIsSunkenAndShifted", State(true, true, true, false), I::kPressed, F::kSunken, 1, false},
        SLookCase{"PressedWithoutHoverStillPressed", State(true, true, false, true), I::kPressed, F::kSunken, 1, true},
        SLookCase{"FocusedShowsItsMark", State(true, false, false, true), I::kNormal, F::kRaised, 0, true},
        SLookCase{"HiddenFocusCuesShowNoMark", State(true, false, false, true, false), I::kNormal, F::kRaised, 0, false},
        SLookCase{"DisabledWinsOverPressedHotAndFocus", State(false, true, true, true), I::kDisabled, F::kNone, 0, false},
        SLookCase{"DisabledIdle", State(false, false, false, false), I::kDisabled, F::kNone, 0, false}),
    [](const ::testing::TestParamInfo<SLookCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
