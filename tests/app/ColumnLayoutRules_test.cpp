// Saved column layout applied to the file list's header and captured back.
#include <gtest/gtest.h>

#include "app/ColumnLayoutRules.h"

namespace corvane {
namespace {

TEST(ColumnLayoutRules, FreshUserCapturesThreeVisibleRecords) {
  TColumnLayout saved;
  const SColumnLayoutPlan plan = PlanColumnLayout(saved, 3);
  EXPECT_TRUE(plan.placements.empty());
  EXPECT_TRUE(plan.deletions.empty());
  CaptureColumnLayout(saved, {{0, 0, 50}, {1, 1, 250}, {2, 2, 100}}, 3);
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0], (SColumnInfo{0, 50, 1}));
  EXPECT_EQ(saved[1], (SColumnInfo{1, 250, 1}));
  EXPECT_EQ(saved[2], (SColumnInfo{2, 100, 1}));
}

TEST(ColumnLayoutRules, HiddenFilePathIsDeletedAndKeepsItsRecordAtExit) {
  TColumnLayout saved = {{1, 60, 1}, {0, 300, 1}, {2, 180, 0}};
  const SColumnLayoutPlan plan = PlanColumnLayout(saved, 3);
  ASSERT_EQ(plan.placements.size(), 3u);
  EXPECT_EQ(plan.placements[0].order, 1);
  EXPECT_EQ(plan.placements[1].width, 300);
  EXPECT_EQ(plan.deletions, (std::vector<int>{2}));

  // At exit only two header items exist, the user widened "Filename".
  CaptureColumnLayout(saved, {{0, 1, 60}, {1, 0, 320}}, 3);
  EXPECT_EQ(saved[0], (SColumnInfo{1, 60, 1}));
  EXPECT_EQ(saved[1], (SColumnInfo{0, 320, 1}));
  EXPECT_EQ(saved[2], (SColumnInfo{2, 180, 0}));
}

TEST(ColumnLayoutRules, DeletionIndicesAccountForEarlierDeletions) {
  const TColumnLayout saved = {{0, 50, 0}, {1, 250, 1}, {2, 100, 0}};
  EXPECT_EQ(PlanColumnLayout(saved, 3).deletions, (std::vector<int>{0, 1}));
}

TEST(ColumnLayoutRules, ExtraRecordsIgnoredMissingOnesKeepBuiltInColumns) {
  const TColumnLayout many = {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 0}, {4, 5, 0}};
  const SColumnLayoutPlan plan = PlanColumnLayout(many, 3);
  EXPECT_EQ(plan.placements.size(), 3u);
  EXPECT_TRUE(plan.deletions.empty());

  const TColumnLayout few = {{0, 70, 1}};
  const SColumnLayoutPlan partial = PlanColumnLayout(few, 3);
  ASSERT_EQ(partial.placements.size(), 1u);
  EXPECT_EQ(partial.placements[0].width, 70);
}

TEST(ColumnLayoutRules, CaptureResizesToTheColumnCountAndSkipsForeignItems) {
  TColumnLayout saved = {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}};
  CaptureColumnLayout(saved, {{0, 0, 50}, {9, 1, 99}}, 3);
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0], (SColumnInfo{0, 50, 1}));
  EXPECT_EQ(saved[1].visible, 0);
  EXPECT_EQ(saved[2].visible, 0);
}

}  // namespace
}  // namespace corvane
