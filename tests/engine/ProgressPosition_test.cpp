#include "engine/ProgressPosition.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
SProgressInput Step(EJoinMode mode, int64_t time, int64_t duration, int files = 2, int queue = 0) {
  SProgressInput in;
  in.mode = mode;
  in.currentTime = time;
  in.totalDuration = duration;
  in.fileCount = files;
  in.queueLength = queue;
  return in;
}
}  // namespace

// Two inputs of 100 s each joined to FLV.
TEST(ComputeProgressPosition, TwoInputsToFlvFollowTheThreeStages) {
  // The first input is taken from the queue, so one is left while it converts.
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinToMpeg, 50, 100, 2, 1)), 12);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinToMpeg, 50, 100, 2, 0)), 37);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinByteCopy, 1, 200)), 50);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFinalFlv, 100, 200)), 75);
}

TEST(ComputeProgressPosition, Mp4PassesFillFiftyToSixtyThenSixtyToHundred) {
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass1, 1, 200)), 50);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass1, 200, 200)), 60);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass2, 1, 200)), 60);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass2, 100, 200)), 80);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass2, 200, 200)), 100);
}

TEST(ComputeProgressPosition, ThreeInputsTruncateTheirShare) {
  // share = 100/6 = 16.67: whole inputs count 16 each, the running one its fraction.
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinToMpeg, 99, 100, 3, 0)), 32 + 16);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinToMpeg, 1, 100, 3, 2)), 0);
}

TEST(ComputeProgressPosition, TimePastTheDurationIsNotClamped) {
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFinalAvi, 300, 100)), 200);
}

// Found by fuzzing: "time=99999999.00" against a one-second duration gave a
// float far outside int's range, converted all the same.
TEST(ComputeProgressPosition, AbsurdTimeAgainstItsDurationStaysAFiniteLargePosition) {
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFinalFlv, 99999999, 1)), 50 + 1000000);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFastRoute, 99999999, 1)), 99);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinMp4Pass2, 9223372036854775807, 1)), 60 + 1000000);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinToMpeg, 99999999, 1, 3, 1)), 1 * 16 + 1000000);
}

TEST(ComputeProgressPosition, NothingUntilBothTimeAndDurationAreKnown) {
  EXPECT_FALSE(ComputeProgressPosition(Step(kJoinFinalWmv, 0, 100)).has_value());
  EXPECT_FALSE(ComputeProgressPosition(Step(kJoinFinalWmv, 10, 0)).has_value());
}

// The stream copy is the whole job; 100 waits for its file to be checked.
TEST(ComputeProgressPosition, FastRouteFillsTheBarUpTo99) {
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFastRoute, 10, 100)), 10);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinFastRoute, 120, 100)), 99);
}

TEST(ComputeProgressPosition, OtherModesGiveZero) {
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinIdle, 10, 100)), 0);
  EXPECT_EQ(ComputeProgressPosition(Step(kJoinProbing, 10, 100)), 0);
}
