// The window region as a list of shapes: what a window of a given size gets
// from the skin's region, checked by where the result lets points through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/SkinXmlReader.h"
#include "skin/WindowRegionPlan.h"

namespace corvane {
namespace {

// Whether a pixel is in one shape, the way the system fills it (right and
// bottom exclusive). Round corners are left out: no case below needs them.
bool RegionShapeHas(const SRegionStep& step, int x, int y) {
  if (!step.rect.Contains(x, y)) return false;
  if (step.shape != ERegionShape::kEllipse) return true;
  const double rx = step.rect.Width() / 2.0, ry = step.rect.Height() / 2.0;
  const double dx = (x + 0.5 - step.rect.left - rx) / rx, dy = (y + 0.5 - step.rect.top - ry) / ry;
  return dx * dx + dy * dy <= 1.0;
}

bool RegionHas(const std::vector<SRegionStep>& steps, int x, int y) {
  bool in = false;
  for (const SRegionStep& step : steps) {
    const bool shape = RegionShapeHas(step, x, y);
    switch (step.combine) {
      case ERegionCombine::kStart:
      case ERegionCombine::kCopy: in = shape; break;
      case ERegionCombine::kAnd: in = in && shape; break;
      case ERegionCombine::kDiff: in = in && !shape; break;
      case ERegionCombine::kOr: in = in || shape; break;
      case ERegionCombine::kXor: in = in != shape; break;
    }
  }
  return in;
}

SWindowSkin SkinWithRegion(const std::string& shapes) {
  return ReadSkinXml("<root><skin><windowSkins><windowSkin><target window=\"CDialog\"/><region>" + shapes +
                         "</region></windowSkin></windowSkins></skin></root>",
                     {})
      .dialog;
}

TEST(WindowRegionPlan, RectangleMinusEllipseLeavesAnEllipticHole) {
  const auto steps = PlanWindowRegion(
      SkinWithRegion("<shape type=\"rectangle\"/><shape type=\"ellipse\" rect=\"100,50,-101,-51\" combine=\"diff\"/>"),
      400, 300, /*maximised=*/false);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[1].rect, (SSkinRect{100, 50, 300, 250}));
  EXPECT_TRUE(RegionHas(steps, 0, 0));
  EXPECT_TRUE(RegionHas(steps, 400, 300));  // the whole window reaches width + 1
  EXPECT_TRUE(RegionHas(steps, 102, 52));   // inside the ellipse's box, outside the ellipse
  EXPECT_FALSE(RegionHas(steps, 200, 150));
  EXPECT_FALSE(RegionHas(steps, 101, 150));
  EXPECT_FALSE(RegionHas(steps, 401, 150));
}

TEST(WindowRegionPlan, UnknownTypesAreSkippedAndUnknownCombinesDropped) {
  const auto steps = PlanWindowRegion(SkinWithRegion("<shape type=\"star\"/>"
                                                     "<shape type=\"rectangle\" rect=\"0,0,10,10\" combine=\"xyz\"/>"
                                                     "<shape type=\"ellipse\" combine=\"minus\"/>"
                                                     "<shape type=\"Rectangle\" rect=\"5,5,20,20\" combine=\"or\"/>"
                                                     "<shape type=\"roundRect\" rect=\"2,2,30,30\" size=\"6,4\""
                                                     " combine=\"and\"/>"),
                                      100, 100, /*maximised=*/false);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].combine, ERegionCombine::kStart);  // the first usable shape starts, whatever its combine
  EXPECT_EQ(steps[0].rect, (SSkinRect{0, 0, 10, 10}));
  EXPECT_EQ(steps[1].shape, ERegionShape::kRoundRect);
  EXPECT_EQ(steps[1].cornerWidth, 6);
  EXPECT_EQ(steps[1].cornerHeight, 4);
  EXPECT_TRUE(RegionHas(steps, 8, 8));
  EXPECT_FALSE(RegionHas(steps, 1, 1));    // cut by the round rectangle
  EXPECT_FALSE(RegionHas(steps, 12, 12));  // the dropped and skipped shapes add nothing
}

TEST(WindowRegionPlan, WithoutARegionTheWholeWindowAndMaximisedNone) {
  SWindowSkin plain;
  const auto whole = PlanWindowRegion(plain, 200, 100, /*maximised=*/false);
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole[0].rect, (SSkinRect{0, 0, 201, 101}));
  EXPECT_TRUE(PlanWindowRegion(plain, 200, 100, /*maximised=*/true).empty());
  EXPECT_TRUE(PlanWindowRegion(SkinWithRegion("<shape type=\"hexagon\"/>"), 200, 100, false).empty());
}

}  // namespace
}  // namespace corvane
