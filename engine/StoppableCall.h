#pragma once
// A blocking call that a stop can walk away from.
//
// Some calls cannot be ended once made: opening a file on a share that
// stopped answering waits inside the system until the network gives up,
// and no handle of ours reaches it. CallUntilStopped makes such a call on a
// thread of its own and returns its answer, or nothing as soon as the stop
// is asked for (or had been already). The call then finishes alone, on the
// copies it was given; what it reports after that is dropped, so the
// caller's handler is never called once CallUntilStopped has returned. A
// process that ends meanwhile takes the thread with it.
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#include "engine/ToolStop.h"

namespace corvane {

using TextReport = std::function<void(const std::wstring& text)>;

template <class Result>
std::optional<Result> CallUntilStopped(std::function<Result(const TextReport& report)> call,
                                       const TextReport& onReport, CToolStop* stop) {
  struct SShared {
    std::mutex lock;
    std::condition_variable changed;
    bool answered = false;
    bool leftAlone = false;  // the caller stopped waiting: reports go nowhere
    std::optional<Result> answer;
    TextReport onReport;
  };
  auto shared = std::make_shared<SShared>();
  shared->onReport = onReport;
  const TextReport relay = [shared](const std::wstring& text) {
    std::lock_guard<std::mutex> lock(shared->lock);
    if (!shared->leftAlone && shared->onReport) shared->onReport(text);
  };
  const auto leave = [shared] {
    std::lock_guard<std::mutex> lock(shared->lock);
    shared->leftAlone = true;
    shared->changed.notify_all();
  };
  if (stop && !stop->Attach(leave)) return std::nullopt;
  try {
    std::thread([shared, call = std::move(call), relay] {
      std::optional<Result> answer;
      try {
        answer = call(relay);
      } catch (...) {
        // Nothing may leave a thread: no answer.
      }
      std::lock_guard<std::mutex> lock(shared->lock);
      shared->answer = std::move(answer);
      shared->answered = true;
      shared->changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    leave();  // no thread could be made: no answer
  }
  std::optional<Result> answer;
  {
    std::unique_lock<std::mutex> lock(shared->lock);
    shared->changed.wait(lock, [&] { return shared->answered || shared->leftAlone; });
    shared->leftAlone = true;
    if (shared->answered) answer = std::move(shared->answer);
  }
  if (stop) stop->Detach();
  return answer;
}

}  // namespace corvane
