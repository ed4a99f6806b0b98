// Caption buttons: mouse sequences over the buttons and what they do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/CaptionButtons.h"

namespace corvane {
namespace {

// Down(b), Move(b) with the button held, Hover(b) with it released, Up.
struct SMouseStep {
  enum EKind { kDown, kMove, kHover, kUp } kind;
  int button;
};

SMouseStep Down(int b) { return {SMouseStep::kDown, b}; }
SMouseStep Drag(int b) { return {SMouseStep::kMove, b}; }
SMouseStep Hover(int b) { return {SMouseStep::kHover, b}; }
SMouseStep Up() { return {SMouseStep::kUp, 0}; }

struct SButtonSequence {
  const char* name;
  std::vector<SMouseStep> steps;
  bool maximised;
  ECaptionAction action;  // of the last button up
};

class CaptionButtonSequences : public ::testing::TestWithParam<SButtonSequence> {};

TEST_P(CaptionButtonSequences, ActOnlyWhenReleasedOverThePressedButton) {
  CCaptionButtons buttons;
  ECaptionAction action = ECaptionAction::kNone;
  for (const SMouseStep& step : GetParam().steps) {
    switch (step.kind) {
      case SMouseStep::kDown: buttons.ButtonDown(step.button); break;
      case SMouseStep::kMove: buttons.MouseMove(step.button, true); break;
      case SMouseStep::kHover: buttons.MouseMove(step.button, false); break;
      case SMouseStep::kUp: action = buttons.ButtonUp(GetParam().maximised); break;
    }
  }
  EXPECT_EQ(action, GetParam().action);
  EXPECT_EQ(buttons.Pressed(), 0);  // a release always ends the press
  EXPECT_EQ(buttons.Hovered(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, CaptionButtonSequences,
    ::testing::Values(
        SButtonSequence{"MinimiseReleasedOverMinimise", {Down(2), Drag(2), Up()}, false, ECaptionAction::kMinimise},
        SButtonSequence{"MinimiseReleasedOverClose", {Down(2), Drag(4), Up()}, false, ECaptionAction::kNone},
        SButtonSequence{"DraggedToCloseAndBack", {Down(2), Drag(4), Drag(2), Up()}, false, ECaptionAction::kMinimise},
        SButtonSequence{"DraggedOffAllButtons", {Down(4), Drag(0), Up()}, false, ECaptionAction::kNone},
        SButtonSequence{"PressLostWhenMouseButtonWasReleasedElsewhere", {Down(4), Hover(2), Hover(4), Up()}, false,
                        ECaptionAction::kNone},
        SButtonSequence{"CloseCloses", {Down(4), Up()}, false, ECaptionAction::kClose},
        SButtonSequence{"MaximiseMaximises", {Down(3), Up()}, false, ECaptionAction::kMaximise},
        SButtonSequence{"MaximiseOfAMaximisedWindowRestores", {Down(3), Up()}, true, ECaptionAction::kRestore},
        SButtonSequence{"SystemActsOnlyThroughItsMenu", {Down(1), Up()}, false, ECaptionAction::kNone},
        SButtonSequence{"ReleaseWithoutPress", {Hover(4), Up()}, false, ECaptionAction::kNone},
        SButtonSequence{"DownOutsideButtons", {Down(0), Up()}, false, ECaptionAction::kNone}),
    [](const ::testing::TestParamInfo<SButtonSequence>& info) { return std::string(info.param.name); });

TEST(CaptionButtons, HoverChangesAskForRepaintAndPickTheDrawnPart) {
  CCaptionButtons buttons;
  EXPECT_TRUE(buttons.MouseMove(kAnchorClose, false));
  EXPECT_FALSE(buttons.MouseMove(kAnchorClose, false));  // same button: no repaint
  EXPECT_EQ(CaptionButtonPart(kAnchorClose, buttons), kPartCloseHover);
  EXPECT_EQ(CaptionButtonPart(kAnchorMinimise, buttons), kPartMinimise);
  EXPECT_TRUE(buttons.ButtonDown(kAnchorClose));
  EXPECT_EQ(CaptionButtonPart(kAnchorClose, buttons), kPartCloseDown);
  EXPECT_TRUE(buttons.MouseMove(kAnchorMaximise, true));  // dragged off: nothing lit
  EXPECT_EQ(CaptionButtonPart(kAnchorClose, buttons), kPartClose);
  EXPECT_EQ(CaptionButtonPart(kAnchorMaximise, buttons), kPartMaximise);
  EXPECT_EQ(CaptionButtonPart(kAnchorSystem, buttons), kPartSystem);
}

}  // namespace
}  // namespace corvane
