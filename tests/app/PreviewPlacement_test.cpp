// When the preview window takes its stored position, and what it stores.
#include "app/PreviewPlacement.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const SScreenArea kScreen{0, 0, 1024, 768};

SWindowPlacementValue Placement(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t show = 1) {
  SWindowPlacementValue p;
  p.showState = show;
  p.left = left;
  p.top = top;
  p.right = right;
  p.bottom = bottom;
  p.minX = p.minY = -1;
  p.maxX = p.maxY = -1;
  return p;
}

TEST(StoredPlacementToApply, ValidValueOnScreenIsApplied) {
  const SWindowPlacementValue stored = Placement(100, 120, 600, 500);
  const auto applied = StoredPlacementToApply(EncodeWindowPlacement(stored), kScreen);
  ASSERT_TRUE(applied.has_value());
  EXPECT_EQ(*applied, stored);
}

TEST(StoredPlacementToApply, RejectsWrongSizeOrLengthField) {
  TByteVector bytes = EncodeWindowPlacement(Placement(100, 120, 600, 500));
  TByteVector longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(StoredPlacementToApply(longer, kScreen));
  EXPECT_FALSE(StoredPlacementToApply(TByteVector(bytes.begin(), bytes.end() - 1), kScreen));
  EXPECT_FALSE(StoredPlacementToApply(TByteVector(), kScreen));
  bytes[0] = 40;  // 44 bytes, but the length field says 40
  EXPECT_FALSE(StoredPlacementToApply(bytes, kScreen));
  bytes[0] = 44;
  bytes[1] = 1;  // 300
  EXPECT_FALSE(StoredPlacementToApply(bytes, kScreen));
}

TEST(StoredPlacementToApply, NormalRectangleMustOverlapTheScreen) {
  const struct {
    SWindowPlacementValue placement;
    bool applied;
  } cases[] = {
      {Placement(-400, -300, 1, 1), true},          // one pixel on screen
      {Placement(-400, -300, 0, 0), false},         // touches the corner only
      {Placement(1023, 767, 1400, 1000), true},
      {Placement(1024, 0, 1500, 300), false},       // right of the screen
      {Placement(0, 768, 500, 900), false},         // below it
      {Placement(-2000, 100, -1000, 300), false},   // a monitor that is gone
      {Placement(600, 100, 200, 300), false},       // inverted rectangle
      {Placement(100, 100, 100, 300), false},       // no width
      {Placement(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredPlacementToApply(EncodeWindowPlacement(c.placement), kScreen).has_value(), c.applied)
        << c.placement.left << "," << c.placement.top << "," << c.placement.right << "," << c.placement.bottom;
  }
  // The screen area may start left of or above the primary monitor.
  const SScreenArea wide{-1280, -200, 1024, 768};
  EXPECT_TRUE(StoredPlacementToApply(EncodeWindowPlacement(Placement(-1000, -100, -500, 200)), wide));
}

TEST(StoredPlacementToApply, OnlyMaximisedIsKeptOtherStatesOpenNormally) {
  const struct {
    uint32_t stored, applied;
  } cases[] = {{3, 3}, {1, 1}, {0, 1}, {2, 1}, {6, 1}, {7, 1}, {0xFFFFFFFF, 1}};
  for (const auto& c : cases) {
    const auto applied = StoredPlacementToApply(EncodeWindowPlacement(Placement(10, 10, 300, 300, c.stored)), kScreen);
    ASSERT_TRUE(applied.has_value());
    EXPECT_EQ(applied->showState, c.applied) << c.stored;
  }
}

TEST(PlacementToStore, FlagsAndShowStateFollowMaximised) {
  SWindowPlacementValue current = Placement(5, 6, 700, 800, /*show=*/2);
  current.flags = 7;
  current.length = 0;
  const SWindowPlacementValue normal = PlacementToStore(current, false);
  EXPECT_EQ(normal.length, 44u);
  EXPECT_EQ(normal.flags, 0u);
  EXPECT_EQ(normal.showState, 1u);
  const SWindowPlacementValue maximized = PlacementToStore(current, true);
  EXPECT_EQ(maximized.flags, 2u);
  EXPECT_EQ(maximized.showState, 3u);
  EXPECT_EQ(maximized.left, 5);
  EXPECT_EQ(maximized.bottom, 800);
  // What is stored at close is taken again at the next opening.
  EXPECT_EQ(StoredPlacementToApply(EncodeWindowPlacement(maximized), kScreen), maximized);
}

}  // namespace
}  // namespace corvane
