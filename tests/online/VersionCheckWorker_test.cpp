#include "online/VersionCheckWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using namespace corvane;

namespace {

struct SRecorder {
  std::mutex lock;
  std::vector<std::wstring> steps;
  void Add(const std::wstring& step) {
    std::lock_guard<std::mutex> hold(lock);
    steps.push_back(step);
  }
};

SVersionCheckJob Job() { return {L"http://v.example/ver", L"ver.ini", L"Domain.ini", L"English", L"v2.2"}; }

void RunToEnd(CVersionCheckWorker& worker) {
  ASSERT_TRUE(worker.Start());
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!worker.HasEnded() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(worker.HasEnded());
}

}  // namespace

TEST(VersionCheckWorker, DomainListThenFreshVersionFileThenNotice) {
  SRecorder record;
  std::atomic<int> notices{0};
  CVersionCheckWorker worker(
      Job(), [&](const std::wstring& url, const std::wstring& path) {
        record.Add(L"get " + path);
        return path == L"ver.ini";  // the domain servers do not answer
      },
      [] {},
      [&](const std::wstring& path) { record.Add(L"delete " + path); }, [&] { ++notices; });
  RunToEnd(worker);
  EXPECT_EQ(record.steps, (std::vector<std::wstring>{L"delete Domain.ini", L"get Domain.ini", L"delete Domain.ini",
                                                      L"get Domain.ini", L"delete ver.ini", L"get ver.ini"}));
  EXPECT_EQ(notices, 1);
}

TEST(VersionCheckWorker, FailedDownloadTellsNobody) {
  std::atomic<int> notices{0};
  CVersionCheckWorker worker(
      Job(), [](const std::wstring&, const std::wstring&) { return false; }, [] {}, [](const std::wstring&) {},
      [&] { ++notices; });
  RunToEnd(worker);
  EXPECT_EQ(notices, 0);
}
