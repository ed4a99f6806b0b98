// The geometry of a skinned frame: hit-testing, the maximised size, and the
// caption text's box and position.
#include <gtest/gtest.h>

#include <string>

#include "skin/CaptionLayout.h"
#include "skin/MaximisedSize.h"
#include "skin/SkinHitTest.h"
#include "skin/SkinXmlReader.h"

namespace corvane {
namespace {

// Frame 5 left, 30 top, 6 right, 4 bottom; Close 20 px left of the right
// edge, System at the top left; resize zones 4 px wide.
SWindowSkin GeometrySkin() {
  const char* xml =
      "<root><skin><windowSkins><windowSkin><target window=\"CMainWnd\"/>"
      "<parts><part name=\"TopLeft\" rect=\"0,0,10,30\"/><part name=\"Top\" rect=\"0,0,10,22\"/>"
      "<part name=\"Left\" rect=\"0,0,5,1\"/><part name=\"Right\" rect=\"0,0,6,1\"/>"
      "<part name=\"Bottom\" rect=\"0,0,1,4\"/><part name=\"TopIA\" rect=\"0,40,10,22\"/></parts>"
      "<anchors><anchor name=\"Close\" rect=\"-20,6,16,14\"/><anchor name=\"System\" rect=\"6,6,16,16\"/>"
      "<anchor name=\"Minimise\" rect=\"-60,6,16,14\"/></anchors>"
      "<resizeBorder rect=\"4,4,4,4\"/><minimumSize width=\"400\" height=\"100\"/>"
      "</windowSkin></windowSkins></skin></root>";
  return ReadSkinXml(xml, {}).mainWnd;
}

struct SHitCase {
  const char* name;
  int x, y;
  bool sizingFrame;
  bool maximised;
  ESkinHit hit;
};

class SkinHitTesting : public ::testing::TestWithParam<SHitCase> {};

// Window 100,100 - 500,400; the system's caption buttons are 18 px wide.
TEST_P(SkinHitTesting, ReportsTheZoneUnderThePoint) {
  const SHitCase& c = GetParam();
  const SSkinWindowState state{{100, 100, 500, 400}, c.sizingFrame, c.maximised, 18};
  EXPECT_EQ(HitTestSkin(GeometrySkin(), state, c.x, c.y), c.hit);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, SkinHitTesting,
    ::testing::Values(
        SHitCase{"AnchorAtMinus20StartsThere", 480, 106, true, false, ESkinHit::kClose},
        SHitCase{"LastPixelOfThatAnchor", 495, 119, true, false, ESkinHit::kClose},
        SHitCase{"LeftOfThatAnchorIsCaption", 479, 106, true, false, ESkinHit::kCaption},
        SHitCase{"CloseOfAMaximisedWindow", 485, 110, true, true, ESkinHit::kClose},
        SHitCase{"SystemAnchor", 106, 106, true, false, ESkinHit::kSystemMenu},
        SHitCase{"MinimiseAnchor", 445, 110, false, false, ESkinHit::kMinimise},
        SHitCase{"ResizeBorderWithoutSizingFrameIsBorder", 101, 200, false, false, ESkinHit::kBorder},
        SHitCase{"BottomEdgeWithoutSizingFrameIsBorder", 300, 398, false, false, ESkinHit::kBorder},
        SHitCase{"LeftZone", 101, 200, true, false, ESkinHit::kLeft},
        SHitCase{"TopLeftZone", 101, 101, true, false, ESkinHit::kTopLeft},
        SHitCase{"TopZone", 300, 103, true, false, ESkinHit::kTop},
        SHitCase{"JustBelowTopZoneIsCaption", 300, 104, true, false, ESkinHit::kCaption},
        SHitCase{"RightZone", 496, 200, true, false, ESkinHit::kRight},
        SHitCase{"BottomLeftZone", 102, 397, true, false, ESkinHit::kBottomLeft},
        SHitCase{"SizeGripSquare", 483, 383, true, false, ESkinHit::kBottomRight},
        SHitCase{"OutsideGripIsClient", 481, 381, true, false, ESkinHit::kClient},
        SHitCase{"MaximisedHasNoZones", 101, 200, true, true, ESkinHit::kBorder},
        SHitCase{"ClientArea", 105, 130, true, false, ESkinHit::kClient},
        SHitCase{"RightBorderBesideClient", 494, 200, true, false, ESkinHit::kBorder}),
    [](const ::testing::TestParamInfo<SHitCase>& info) { return std::string(info.param.name); });

TEST(SkinGeometry, NegativeAnchorYCountsFromTheBottom) {
  EXPECT_EQ(PlaceAnchor({6, -30, 22, -14}, {100, 100, 500, 400}), (SSkinRect{106, 370, 122, 386}));
}

TEST(SkinGeometry, MaximisedPlacementFollowsTheCrop) {
  SWindowSkin skin = GeometrySkin();  // frame 5, 30, 6, 4
  // Default crop: the left frame outside, the top at the work area's top.
  EXPECT_EQ(MaximisedPlacement(skin, 1000, 700), (SSkinPlacement{-5, 0, 1006, 704}));
  skin.maximiseCrop = SSkinQuad{2, -1, 0, 3};
  EXPECT_EQ(MaximisedPlacement(skin, 1000, 700), (SSkinPlacement{-2, -30, 1000, 703}));
  const SSkinSize minimum = MinimumTrackSize(skin);
  EXPECT_EQ(minimum.width, 400);
  EXPECT_EQ(minimum.height, 240);
}

struct SCaptionPlaceCase {
  const char* name;
  SSkinQuad caption;
  ECaptionAlign align;
  int textWidth;
  SSkinRect box;
  SSkinPoint origin;
};

class CaptionTextPlacement : public ::testing::TestWithParam<SCaptionPlaceCase> {};

// Window 300 px wide, text 14 px high.
TEST_P(CaptionTextPlacement, BoxAndOrigin) {
  SWindowSkin skin;
  skin.caption = GetParam().caption;
  const SSkinRect box = CaptionTextBox(skin, 300);
  EXPECT_EQ(box, GetParam().box);
  EXPECT_EQ(CaptionTextOrigin(box, GetParam().align, GetParam().textWidth, 14), GetParam().origin);
}

INSTANTIATE_TEST_SUITE_P(
    Caption, CaptionTextPlacement,
    ::testing::Values(
        SCaptionPlaceCase{"Left", {30, 5, 200, 20}, ECaptionAlign::kLeft, 50, {30, 5, 200, 25}, {31, 8}},
        SCaptionPlaceCase{"NegativeFromRight", {-250, 5, -60, 20}, ECaptionAlign::kLeft, 50, {50, 5, 240, 25}, {51, 8}},
        SCaptionPlaceCase{"Center", {30, 5, 200, 20}, ECaptionAlign::kCenter, 50, {30, 5, 200, 25}, {90, 8}},
        SCaptionPlaceCase{"CenterTooWideStartsAtLeft", {30, 5, 200, 20}, ECaptionAlign::kCenter, 400, {30, 5, 200, 25},
                          {31, 8}},
        SCaptionPlaceCase{"Right", {30, 5, 200, 20}, ECaptionAlign::kRight, 50, {30, 5, 200, 25}, {149, 8}},
        SCaptionPlaceCase{"RightTooWideStartsAtLeft", {30, 5, 200, 20}, ECaptionAlign::kRight, 400, {30, 5, 200, 25},
                          {31, 8}}),
    [](const ::testing::TestParamInfo<SCaptionPlaceCase>& info) { return std::string(info.param.name); });

TEST(SkinGeometry, CapsUpperCasesTheCaption) {
  EXPECT_EQ(CaptionText(L"abc", true), L"ABC");
  EXPECT_EQ(CaptionText(L"abc", false), L"abc");
}

}  // namespace
}  // namespace corvane
