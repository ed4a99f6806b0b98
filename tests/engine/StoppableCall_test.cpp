// A call that cannot be ended (an open that waits for a dead share): the
// stop walks away from it at once, and what it reports afterwards is dropped.
#include "engine/StoppableCall.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using StopClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A gate the blocked call waits at until the test opens it.
struct SGate {
  std::mutex lock;
  std::condition_variable opened;
  bool open = false;
  void Open() {
    std::lock_guard<std::mutex> hold(lock);
    open = true;
    opened.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> hold(lock);
    opened.wait_for(hold, 10s, [this] { return open; });
  }
};

TEST(CallUntilStopped, AnswersOrWalksAwayAtTheStop) {
  CToolStop stop;
  std::vector<std::wstring> heard;
  const TextReport onReport = [&heard](const std::wstring& text) { heard.push_back(text); };
  // Answered: the answer and every report come back.
  const std::optional<int> answered = CallUntilStopped<int>(
      [](const TextReport& report) {
        report(L"a");
        return 7;
      },
      onReport, &stop);
  EXPECT_EQ(answered, std::optional<int>(7));
  EXPECT_EQ(heard, std::vector<std::wstring>{L"a"});

  // Blocked: the stop returns none at once; the call finishes alone later.
  auto gate = std::make_shared<SGate>();
  auto finished = std::make_shared<std::atomic<bool>>(false);
  std::thread stopper([&stop] {
    std::this_thread::sleep_for(200ms);
    stop.Stop();
  });
  const auto start = StopClock::now();
  const std::optional<int> walkedAway = CallUntilStopped<int>(
      [gate, finished](const TextReport& report) {
        report(L"b");
        gate->Wait();
        report(L"after the stop");
        *finished = true;
        return 8;
      },
      onReport, &stop);
  const auto waited = StopClock::now() - start;
  stopper.join();
  EXPECT_FALSE(walkedAway.has_value());
  EXPECT_LT(waited, 2s);
  gate->Open();
  for (int i = 0; i < 500 && !*finished; ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(*finished);
  EXPECT_EQ(heard, (std::vector<std::wstring>{L"a", L"b"}));

  // Asked after the stop: nothing is started at all.
  bool called = false;
  const auto call = [&called](const TextReport&) {
    called = true;
    return 9;
  };
  EXPECT_FALSE(CallUntilStopped<int>(call, onReport, &stop));
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace corvane
