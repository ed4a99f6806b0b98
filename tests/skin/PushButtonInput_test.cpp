// The push button's input rules: sequences of key and mouse events and the
// clicks they make.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/PushButtonInput.h"

namespace corvane {
namespace {

enum EStep { kSpaceDown, kSpaceUp, kDownIn, kDownOut, kMoveIn, kMoveOut, kUpIn, kUpOut, kCancel };

int CountClicks(CPushButtonInput& input, const std::vector<EStep>& steps) {
  int clicks = 0;
  for (EStep step : steps) {
    switch (step) {
      case kSpaceDown: input.SpaceDown(); break;
      case kSpaceUp: clicks += input.SpaceUp(); break;
      case kDownIn: input.MouseDown(true); break;
      case kDownOut: input.MouseDown(false); break;
      case kMoveIn: input.MouseMove(true); break;
      case kMoveOut: input.MouseMove(false); break;
      case kUpIn: clicks += input.MouseUp(true); break;
      case kUpOut: clicks += input.MouseUp(false); break;
      case kCancel: input.Cancel(); break;
    }
  }
  return clicks;
}

struct SSequence {
  const char* name;
  std::vector<EStep> steps;
  int clicks;
  bool pressedAfter;
};

class PushButtonSequences : public ::testing::TestWithParam<SSequence> {};

TEST_P(PushButtonSequences, MakeTheExpectedClicks) {
  CPushButtonInput input;
  EXPECT_EQ(CountClicks(input, GetParam().steps), GetParam().clicks);
  EXPECT_EQ(input.Pressed(), GetParam().pressedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Input, PushButtonSequences,
    ::testing::Values(
        SSequence{"SpaceDownUpClicksOnce", {kSpaceDown, kSpaceUp}, 1, false},
        SSequence{"AutoRepeatedKeyDownsStillClickOnce", {kSpaceDown, kSpaceDown, kSpaceDown, kSpaceUp}, 1, false},
        SSequence{"FocusLostBetweenDownAndUpCancels", {kSpaceDown, kCancel, kSpaceUp}, 0, false},
        SSequence{"KeyUpWithoutKeyDownDoesNothing", {kSpaceUp}, 0, false},
        SSequence{"SecondKeyUpAfterAClickDoesNothing", {kSpaceDown, kSpaceUp, kSpaceUp}, 1, false},
        SSequence{"TwoPressesTwoClicks", {kSpaceDown, kSpaceUp, kSpaceDown, kSpaceUp}, 2, false},
        SSequence{"SpaceHeldShowsPressed", {kSpaceDown}, 0, true},
        SSequence{"MousePressAndReleaseInside", {kDownIn, kUpIn}, 1, false},
        SSequence{"ReleasedOutsideDoesNotClick", {kDownIn, kMoveOut, kUpOut}, 0, false},
        SSequence{"DraggedOutAndBackClicks", {kDownIn, kMoveOut, kMoveIn, kUpIn}, 1, false},
        SSequence{"DraggedOutShowsUnpressed", {kDownIn, kMoveOut}, 0, false},
        SSequence{"HeldInsideShowsPressed", {kDownIn, kMoveIn}, 0, true},
        SSequence{"PressOutsideIsIgnored", {kDownOut, kUpIn}, 0, false},
        SSequence{"CaptureLostCancelsTheMouse", {kDownIn, kCancel, kUpIn}, 0, false},
        SSequence{"KeyClickConsumesAHeldMousePress", {kDownIn, kSpaceDown, kSpaceUp, kUpIn}, 1, false}),
    [](const ::testing::TestParamInfo<SSequence>& info) { return std::string(info.param.name); });

TEST(PushButtonInput, HoldsTheCaptureOnlyWhileTheMouseIsDown) {
  CPushButtonInput input;
  input.MouseDown(true);
  EXPECT_TRUE(input.WantsCapture());
  input.MouseMove(false);
  EXPECT_TRUE(input.WantsCapture());  // dragging outside keeps the capture
  input.MouseUp(false);
  EXPECT_FALSE(input.WantsCapture());
}

}  // namespace
}  // namespace corvane
