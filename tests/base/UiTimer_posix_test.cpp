#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "base/EventLoop.h"
#include "base/UiTimer.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

template <class F>
void OnOwnThread(F body) {
  std::thread thread(body);
  thread.join();
}

// Pumps the thread's loop for about the given time.
void Pump(std::chrono::milliseconds total) {
  const auto until = std::chrono::steady_clock::now() + total;
  while (std::chrono::steady_clock::now() < until) CEventLoop::Current().PumpOnce(5ms);
}

TEST(UiTimerNative, HandlerReturningFalseStopsTheTimer) {
  OnOwnThread([] {
    int calls = 0;
    UiTimer timer([&](uint32_t) { return ++calls < 3; }, 10);
    EXPECT_TRUE(timer.IsRunning());
    Pump(200ms);
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(timer.IsRunning());
    timer.Start();  // re-armed with the same period
    Pump(100ms);
    EXPECT_GE(calls, 4);
  });
}

TEST(UiTimerNative, KillStopsAndRestartRearms) {
  OnOwnThread([] {
    int calls = 0;
    UiTimer timer([&](uint32_t) { return ++calls, true; }, 10);
    Pump(60ms);
    timer.Kill();
    const int atKill = calls;
    EXPECT_GT(atKill, 0);
    Pump(60ms);
    EXPECT_EQ(calls, atKill);
    timer.Start();
    Pump(60ms);
    EXPECT_GT(calls, atKill);
  });
}

TEST(UiTimerNative, ThrowingHandlerKillsTheTimer) {
  OnOwnThread([] {
    int calls = 0;
    UiTimer timer([&](uint32_t) -> bool { ++calls; throw std::runtime_error("x"); }, 10);
    Pump(100ms);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(timer.IsRunning());
  });
}

TEST(UiTimerNative, HandlerMayDestroyItsOwnTimer) {
  OnOwnThread([] {
    int calls = 0;
    std::unique_ptr<UiTimer> timer;
    timer = std::make_unique<UiTimer>(
        [&](uint32_t) {
          ++calls;
          timer.reset();
          return false;
        },
        10);
    Pump(100ms);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(timer, nullptr);
  });
}

TEST(UiTimerNative, HandlerRunsOnTheStartingThread) {
  OnOwnThread([] {
    const auto self = std::this_thread::get_id();
    bool same = false;
    UiTimer timer([&](uint32_t) { return same = std::this_thread::get_id() == self, false; }, 5);
    Pump(50ms);
    EXPECT_TRUE(same);
  });
}

}  // namespace
