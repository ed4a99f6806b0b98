#include "online/ReadyStateWait.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace corvane;

namespace {

// A simulated control and clock: the state follows a script indexed by poll
// number, the clock moves only when the loop pauses (or by `pollCost` per
// poll, a slow control), and every call is recorded in order.
struct FakeControl {
  explicit FakeControl(std::vector<int> pollStates) : states(std::move(pollStates)) {}
  std::vector<int> states;  // state at poll i; the last one repeats
  uint64_t clock = 5000;    // arbitrary start: the loop must measure from its call
  uint32_t pollCost = 0;
  bool quitAtPump = false;
  int polls = 0;
  int pumps = 0;
  std::vector<uint32_t> pauses;
  std::string trace;  // 'P' poll, 'M' pump, 'S' sleep

  SReadyStateWait Wait(uint32_t interval = 100, uint32_t limit = 10000) {
    SReadyStateWait wait;
    wait.readyState = [this] {
      trace += 'P';
      clock += pollCost;
      const size_t index = std::min<size_t>(polls++, states.size() - 1);
      return states[index];
    };
    wait.pumpMessages = [this] {
      trace += 'M';
      ++pumps;
      return !quitAtPump;
    };
    wait.pause = [this](uint32_t ms) {
      trace += 'S';
      pauses.push_back(ms);
      clock += ms;
    };
    wait.nowMilliseconds = [this] { return clock; };
    wait.intervalMs = interval;
    wait.limitMs = limit;
    return wait;
  }
};

TEST(ReadyStateWait, AlreadyCompleteReturnsAtOnceWithoutPumpingOrSleeping) {
  FakeControl control({4});
  EXPECT_EQ(WaitForReadyState(control.Wait()), EReadyStateWaitResult::kComplete);
  EXPECT_EQ(control.trace, "P");
}

TEST(ReadyStateWait, StopsAtTheFirstCompletePollAndPumpsBetweenPolls) {
  FakeControl control({1, 1, 3, 4, 1});
  EXPECT_EQ(WaitForReadyState(control.Wait()), EReadyStateWaitResult::kComplete);
  EXPECT_EQ(control.trace, "PMSPMSPMSP");
  EXPECT_EQ(control.pauses, (std::vector<uint32_t>{100, 100, 100}));
}

TEST(ReadyStateWait, OnlyStateFourCountsAsComplete) {
  // Interactive (3) is not enough: the banner's image may still be loading.
  FakeControl control({3});
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 500)), EReadyStateWaitResult::kTimedOut);
  EXPECT_EQ(control.polls, 6);
}

TEST(ReadyStateWait, GivesUpAtTheLimitPollingEveryInterval) {
  FakeControl control({1});
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 10000)), EReadyStateWaitResult::kTimedOut);
  // Polls at 0, 100, ..., 10000: 101 polls, 100 pauses, all sleeping.
  EXPECT_EQ(control.polls, 101);
  EXPECT_EQ(control.pumps, 100);
  ASSERT_EQ(control.pauses.size(), 100u);
  for (uint32_t pause : control.pauses) EXPECT_EQ(pause, 100u);
  EXPECT_EQ(control.clock, 5000u + 10000u);
}

TEST(ReadyStateWait, LastPauseIsCutToTheLimit) {
  FakeControl control({1});
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 250)), EReadyStateWaitResult::kTimedOut);
  EXPECT_EQ(control.pauses, (std::vector<uint32_t>{100, 100, 50}));
  EXPECT_EQ(control.clock, 5000u + 250u);
}

TEST(ReadyStateWait, CompleteOnTheLastPollAtTheLimitStillCounts) {
  FakeControl control({1, 1, 1, 4});
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 300)), EReadyStateWaitResult::kComplete);
}

TEST(ReadyStateWait, SlowPollsUseTheRealClockNotThePollCount) {
  // Each poll takes 400 ms itself: the limit is reached after far fewer polls.
  FakeControl control({1});
  control.pollCost = 400;
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 1000)), EReadyStateWaitResult::kTimedOut);
  EXPECT_EQ(control.polls, 3);  // at 400, 900, 1400 ms
}

TEST(ReadyStateWait, QuitSeenByThePumpEndsTheWait) {
  FakeControl control({1});
  control.quitAtPump = true;
  EXPECT_EQ(WaitForReadyState(control.Wait()), EReadyStateWaitResult::kQuit);
  EXPECT_EQ(control.trace, "PM");
}

TEST(ReadyStateWait, ZeroIntervalStillSleeps) {
  FakeControl control({1});
  EXPECT_EQ(WaitForReadyState(control.Wait(0, 3)), EReadyStateWaitResult::kTimedOut);
  EXPECT_EQ(control.pauses, (std::vector<uint32_t>{1, 1, 1}));
}

TEST(ReadyStateWait, ZeroLimitPollsOnce) {
  FakeControl control({1});
  EXPECT_EQ(WaitForReadyState(control.Wait(100, 0)), EReadyStateWaitResult::kTimedOut);
  EXPECT_EQ(control.trace, "P");
}

}  // namespace
