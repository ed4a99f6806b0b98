#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "base/WorkerThread.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

bool WaitUntilEnded(WorkerThread& worker, Clock::duration limit) {
  const auto until = Clock::now() + limit;
  while (!worker.HasEnded()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

TEST(WorkerThread, RunsBodyOnceOnAnotherThreadAndReportsEnd) {
  std::atomic<int> calls{0};
  std::thread::id bodyThread;
  WorkerThread worker(
      [&] {
        bodyThread = std::this_thread::get_id();
        std::this_thread::sleep_for(50ms);
        ++calls;
        return 7u;
      },
      5000);
  ASSERT_TRUE(worker.Start());
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_FALSE(worker.HasEnded());
  ASSERT_TRUE(WaitUntilEnded(worker, 5s));
  EXPECT_EQ(calls, 1);
  EXPECT_NE(bodyThread, std::this_thread::get_id());
}

TEST(WorkerThread, SecondStartWhileRunningFails) {
  std::atomic<bool> release{false};
  WorkerThread worker(
      [&] {
        while (!release) std::this_thread::sleep_for(1ms);
        return 0u;
      },
      5000);
  ASSERT_TRUE(worker.Start());
  EXPECT_FALSE(worker.Start());
  release = true;
  ASSERT_TRUE(WaitUntilEnded(worker, 5s));
  EXPECT_TRUE(worker.Start());  // an ended worker can run again
  worker.Stop();
}

TEST(WorkerThread, StopLetsACooperativeBodyFinish) {
  std::atomic<bool> finished{false};
  WorkerThread* self = nullptr;
  WorkerThread worker(
      [&] {
        while (!self->StopRequested()) std::this_thread::sleep_for(1ms);
        finished = true;
        return 0u;
      },
      5000);
  self = &worker;
  ASSERT_TRUE(worker.Start());
  std::this_thread::sleep_for(20ms);
  const auto start = Clock::now();
  worker.Stop();
  EXPECT_TRUE(finished);
  EXPECT_LT(Clock::now() - start, 2s);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_TRUE(worker.HasEnded());
  EXPECT_FALSE(worker.StopRequested());  // reset for the next run
}

// No thread is ever killed from outside: a body that does not look at the
// stop is waited for, on both platforms, past the time-out.
TEST(WorkerThread, StopOfABodyThatIgnoresItWaitsForTheBody) {
  std::atomic<bool> finished{false};
  WorkerThread worker(
      [&] {
        std::this_thread::sleep_for(400ms);
        finished = true;
        return 0u;
      },
      /*stopTimeoutMs=*/50);
  ASSERT_TRUE(worker.Start());
  const auto start = Clock::now();
  worker.Stop();
  EXPECT_GE(Clock::now() - start, 300ms);
  EXPECT_TRUE(finished);
  EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, ThrowingBodyEndsQuietly) {
  WorkerThread worker([]() -> unsigned { throw std::runtime_error("x"); }, 5000);
  // A body that ends before Start returns has run all the same: the start counts.
  EXPECT_TRUE(worker.Start());
  EXPECT_TRUE(WaitUntilEnded(worker, 5s));
}

TEST(WorkerThread, DestructionStopsTheThread) {
  std::atomic<bool> finished{false};
  {
    WorkerThread worker(
        [&] {
          std::this_thread::sleep_for(100ms);
          finished = true;
          return 0u;
        },
        5000);
    ASSERT_TRUE(worker.Start());
  }
  EXPECT_TRUE(finished);
}

}  // namespace
