// The main window's enabling rules for the file list and the join's steps.
#include <gtest/gtest.h>

#include "app/ButtonStates.h"

namespace corvane {
namespace {

struct SCase {
  const char* what;
  size_t files;
  EJoinMode mode;
  SButtonStates expected;
};

// join, up, down, add, remove, play, property, cancel
const SCase kCases[] = {
    {"empty list", 0, kJoinIdle, {false, false, false, true, false, false, false, false}},
    {"one file", 1, kJoinIdle, {false, false, false, true, true, true, true, false}},
    {"two files", 2, kJoinIdle, {true, true, true, true, true, true, true, false}},
    {"five files", 5, kJoinIdle, {true, true, true, true, true, true, true, false}},
    {"probing", 2, kJoinProbing, {false, true, true, false, false, true, true, true}},
    {"converting", 3, kJoinToMpeg, {false, true, true, false, false, true, true, true}},
    {"byte copy", 3, kJoinByteCopy, {false, true, true, false, false, true, true, true}},
    {"second mp4 pass", 2, kJoinMp4Pass2, {false, true, true, false, false, true, true, true}},
    {"fast route", 2, kJoinFastRoute, {false, true, true, false, false, true, true, true}},
    // Cancel empties the list and returns to idle: only Add is left.
    {"after cancel", 0, kJoinIdle, {false, false, false, true, false, false, false, false}},
};

TEST(ButtonStates, FollowTheListAndTheJoinStep) {
  for (const SCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const SButtonStates s = ComputeButtonStates(c.files, c.mode);
    EXPECT_EQ(s.join, c.expected.join);
    EXPECT_EQ(s.moveUp, c.expected.moveUp);
    EXPECT_EQ(s.moveDown, c.expected.moveDown);
    EXPECT_EQ(s.add, c.expected.add);
    EXPECT_EQ(s.remove, c.expected.remove);
    EXPECT_EQ(s.play, c.expected.play);
    EXPECT_EQ(s.property, c.expected.property);
    EXPECT_EQ(s.cancel, c.expected.cancel);
  }
}

TEST(ButtonStates, EveryStepOfAJobDisablesJoinAndEnablesCancel) {
  for (int mode = kJoinFastRoute; mode <= kJoinMp4Pass2; ++mode) {
    SCOPED_TRACE(mode);
    const SButtonStates s = ComputeButtonStates(4, static_cast<EJoinMode>(mode));
    EXPECT_FALSE(s.join);
    EXPECT_FALSE(s.add);
    EXPECT_TRUE(s.cancel);
  }
}

}  // namespace
}  // namespace corvane
