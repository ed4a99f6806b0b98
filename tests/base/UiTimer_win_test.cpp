#include <windows.h>

#include <gtest/gtest.h>

#include "tests/PumpMessages_win.h"

#include <memory>
#include <stdexcept>

#include "base/UiTimer.h"

using namespace corvane;

namespace {


TEST(UiTimerWindows, HandlerReturningFalseStopsTheTimer) {
  int calls = 0;
  DWORD lastTick = 0;
  UiTimer timer([&](uint32_t tick) { lastTick = tick; return ++calls < 3; }, 20);
  EXPECT_TRUE(timer.IsRunning());
  test::PumpMessagesFor(400);
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_NE(lastTick, 0u);
  timer.Start();
  test::PumpMessagesFor(150);
  EXPECT_GE(calls, 4);
}

TEST(UiTimerWindows, KillStopsIt) {
  int calls = 0;
  UiTimer timer([&](uint32_t) { return ++calls, true; }, 20);
  test::PumpMessagesFor(150);
  timer.Kill();
  const int atKill = calls;
  EXPECT_GT(atKill, 0);
  test::PumpMessagesFor(150);
  EXPECT_EQ(calls, atKill);
}

TEST(UiTimerWindows, ThrowingHandlerKillsTheTimer) {
  int calls = 0;
  UiTimer timer([&](uint32_t) -> bool { ++calls; throw std::runtime_error("x"); }, 20);
  test::PumpMessagesFor(200);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(timer.IsRunning());
}

TEST(UiTimerWindows, HandlerMayDestroyItsOwnTimer) {
  int calls = 0;
  std::unique_ptr<UiTimer> timer;
  timer = std::make_unique<UiTimer>([&](uint32_t) { ++calls; timer.reset(); return false; }, 20);
  test::PumpMessagesFor(200);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(timer, nullptr);
}

}  // namespace
