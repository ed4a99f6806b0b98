#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "base/EventLoop.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

// Each test runs its loop on a fresh thread so that loops never share state.
template <class F>
void OnOwnThread(F body) {
  std::thread thread(body);
  thread.join();
}

TEST(CEventLoop, PostedTasksRunOnTheLoopThreadInOrder) {
  OnOwnThread([] {
    CEventLoop& loop = CEventLoop::Current();
    const auto loopThread = std::this_thread::get_id();
    std::vector<int> order;
    bool sameThread = true;
    std::thread poster([&] {
      for (int i = 0; i < 3; ++i)
        loop.Post([&, i] {
          order.push_back(i);
          sameThread = sameThread && std::this_thread::get_id() == loopThread;
        });
      loop.Post([&] { loop.Quit(5); });
    });
    EXPECT_EQ(loop.Run(), 5);
    poster.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(sameThread);
  });
}

TEST(CEventLoop, TimersFirePeriodicallyUntilKilled) {
  OnOwnThread([] {
    CEventLoop& loop = CEventLoop::Current();
    int fast = 0, slow = 0;
    unsigned fastId = 0;
    fastId = loop.AddTimer(10, [&](uint32_t) {
      if (++fast == 5) loop.KillTimer(fastId);
    });
    loop.AddTimer(200, [&](uint32_t) {
      ++slow;
      loop.Quit(0);
    });
    const auto start = std::chrono::steady_clock::now();
    loop.Run();
    EXPECT_EQ(fast, 5);
    EXPECT_EQ(slow, 1);
    EXPECT_FALSE(loop.HasTimer(fastId));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 190ms);
  });
}

TEST(CEventLoop, PumpOnceWaitsAtMostTheGivenTime) {
  OnOwnThread([] {
    CEventLoop& loop = CEventLoop::Current();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(loop.PumpOnce(50ms));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, 40ms);
    EXPECT_LT(took, 2s);
    loop.Quit(1);
    EXPECT_FALSE(loop.PumpOnce(10ms));
    loop.Reset();
    EXPECT_TRUE(loop.PumpOnce(1ms));
  });
}

// Threads that used a loop end one after another without harm to the
// process (the loop outlives no thread's storage that it depends on).
TEST(CEventLoop, ManyShortLivedThreadsEachRunTheirOwnLoop) {
  int ran = 0;
  for (int round = 0; round < 20; ++round) {
    std::thread poster;
    OnOwnThread([&] {
      CEventLoop& loop = CEventLoop::Current();
      poster = std::thread([&] {
        for (int i = 0; i < 3; ++i) loop.Post([&] { ++ran; });
        loop.Post([&] { loop.Quit(0); });
      });
      loop.Run();
      poster.join();
    });
    std::vector<int> churn(1000 + round);  // the heap stays usable between threads
    churn.back() = round;
  }
  EXPECT_EQ(ran, 60);
}

}  // namespace
