// The frame's paint plan: which part goes where, tiled or stretched, in the
// active and inactive state, with the caption buttons first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/FramePaintPlan.h"
#include "skin/SkinXmlReader.h"

namespace corvane {
namespace {

// Top row 30 high: corners 12 wide, Top tiled 8 wide (TopIA stretched);
// sides 4 wide with LeftTop/LeftBottom 10 high; Bottom tiled 5 wide.
SWindowSkin PaintSkin() {
  const char* xml =
      "<root><skin><windowSkins><windowSkin><target window=\"CDialog\"/><parts>"
      "<part name=\"TopLeft\" rect=\"0,0,12,30\"/><part name=\"Top\" rect=\"12,0,8,30\"/>"
      "<part name=\"TopRight\" rect=\"20,0,12,30\"/><part name=\"TopLeftIA\" rect=\"0,30,12,30\"/>"
      "<part name=\"TopIA\" rect=\"12,30,8,30\" mode=\"stretch\"/>"
      "<part name=\"LeftTop\" rect=\"0,60,4,10\"/><part name=\"Left\" rect=\"4,60,4,6\"/>"
      "<part name=\"LeftBottom\" rect=\"8,60,4,10\"/><part name=\"Right\" rect=\"12,60,4,6\" mode=\"stretch\"/>"
      "<part name=\"BottomLeft\" rect=\"0,70,4,4\"/><part name=\"Bottom\" rect=\"4,70,5,4\"/>"
      "<part name=\"BottomRight\" rect=\"9,70,4,4\"/>"
      "<part name=\"Close\" rect=\"40,0,16,14\"/><part name=\"CloseHover\" rect=\"56,0,16,14\"/>"
      "<part name=\"CloseDown\" rect=\"72,0,16,14\"/><part name=\"Minimise\" rect=\"40,14,16,14\"/>"
      "</parts><anchors><anchor name=\"Close\" rect=\"-20,6,16,14\"/><anchor name=\"Minimise\" rect=\"-40,6,16,14\"/>"
      "<anchor name=\"Maximise\" rect=\"-60,6,16,14\"/></anchors>"  // no Maximise part: not drawn
      "</windowSkin></windowSkins></skin></root>";
  return ReadSkinXml(xml, {}).dialog;
}

std::vector<SFrameBlit> BlitsOf(const SFramePaintPlan& plan, int part) {
  std::vector<SFrameBlit> found;
  for (const SFrameBlit& blit : plan.blits) {
    if (blit.part == part) found.push_back(blit);
  }
  return found;
}

TEST(FramePaintPlan, TilesCutTheLastCopyAndStretchesFillTheGap) {
  const SFramePaintPlan plan = PlanFramePaint(PaintSkin(), CCaptionButtons{}, 100, 80, true, false);
  const auto top = BlitsOf(plan, kPartTop);  // 12 to 88: nine copies and 4 pixels
  ASSERT_EQ(top.size(), 10u);
  EXPECT_EQ(top[0].dest, (SSkinRect{12, 0, 20, 30}));
  EXPECT_EQ(top[9].dest, (SSkinRect{84, 0, 88, 30}));
  EXPECT_EQ(top[9].source, (SSkinRect{12, 0, 16, 30}));
  const auto left = BlitsOf(plan, kPartLeft);  // below LeftTop (40), above LeftBottom (66): 26 = 4 × 6 + 2
  ASSERT_EQ(left.size(), 5u);
  EXPECT_EQ(left[0].dest, (SSkinRect{0, 40, 4, 46}));
  EXPECT_EQ(left[4].dest, (SSkinRect{0, 64, 4, 66}));
  EXPECT_EQ(left[4].source, (SSkinRect{4, 60, 8, 62}));
  const auto right = BlitsOf(plan, kPartRight);  // no RightTop or RightBottom
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].dest, (SSkinRect{96, 30, 100, 76}));
  EXPECT_EQ(BlitsOf(plan, kPartLeftBottom)[0].dest, (SSkinRect{0, 66, 4, 76}));
  EXPECT_EQ(BlitsOf(plan, kPartBottomRight)[0].dest, (SSkinRect{96, 76, 100, 80}));
  EXPECT_EQ(BlitsOf(plan, kPartBottom).back().dest, (SSkinRect{94, 76, 96, 80}));
}

TEST(FramePaintPlan, InactiveTopRowUsesTheVariantsThatArePresent) {
  const SFramePaintPlan plan = PlanFramePaint(PaintSkin(), CCaptionButtons{}, 100, 80, false, false);
  EXPECT_TRUE(BlitsOf(plan, kPartTopLeft).empty());
  EXPECT_EQ(BlitsOf(plan, kPartTopLeftIA).size(), 1u);
  EXPECT_EQ(BlitsOf(plan, kPartTopRight).size(), 1u);  // no TopRightIA
  const auto top = BlitsOf(plan, kPartTopIA);
  ASSERT_EQ(top.size(), 1u);  // stretched
  EXPECT_EQ(top[0].dest, (SSkinRect{12, 0, 88, 30}));
}

TEST(FramePaintPlan, ButtonsComeFirstInTheirStateAndTheCaptionRowLeavesTheRest) {
  CCaptionButtons buttons;
  buttons.ButtonDown(kAnchorClose);
  const SFramePaintPlan plan = PlanFramePaint(PaintSkin(), buttons, 100, 80, true, /*captionRowOnly=*/true);
  ASSERT_EQ(plan.buttons.size(), 2u);  // Maximise has an anchor but no part
  EXPECT_EQ(plan.blits[0].part, kPartMinimise);
  EXPECT_EQ(plan.blits[1].part, kPartCloseDown);
  EXPECT_EQ(plan.blits[1].dest, (SSkinRect{80, 6, 96, 20}));
  EXPECT_EQ(plan.buttons[1], plan.blits[1].dest);
  for (const SFrameBlit& blit : plan.blits) {
    EXPECT_LT(blit.dest.top, 30) << "part " << blit.part << " is not in the caption row";
  }
}

}  // namespace
}  // namespace corvane
