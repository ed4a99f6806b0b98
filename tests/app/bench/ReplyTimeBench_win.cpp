// Benchmark (not a test): how quickly the joiner's main window answers while
// a job runs. Waits for the window of class "Tavrel Video" to be shown (its
// set-up before that is not measured), then sends it a message every 100 ms
// and times each reply until the window is gone.
// Prints the count, median, 95th percentile and longest reply, and how many
// replies took longer than 100 ms. Run by scripts/bench-reply-time.sh.
//
// reply_time_bench.exe SECONDS: measures for SECONDS after the window
// appeared, then closes the window as its Close command does (WM_CLOSE) and
// prints how long the program took to end.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "base/Handle.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"Tavrel Video";

double Milliseconds(LONGLONG ticks, LONGLONG frequency) { return 1000.0 * static_cast<double>(ticks) / frequency; }

HWND WaitForWindow(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    if (window && IsWindowVisible(window)) return window;
    Sleep(20);
  }
  return nullptr;
}

// A window of this program on a thread of its own: its reply time is what
// Wine's own message passing costs at that moment, for comparison.
HWND StartReferenceWindow() {
  std::promise<HWND> created;
  std::future<HWND> window = created.get_future();
  std::thread([created = std::move(created)]() mutable {
    created.set_value(
        CreateWindowExW(0, L"STATIC", L"reference", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }).detach();
  return window.get();
}

double TimeReply(HWND window, LONGLONG frequency, bool& answered) {
  LARGE_INTEGER before, after;
  DWORD_PTR result = 0;
  QueryPerformanceCounter(&before);
  answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
  QueryPerformanceCounter(&after);
  return Milliseconds(after.QuadPart - before.QuadPart, frequency);
}

// Closes the window and times until its process has ended; -1 when it had
// not ended after 30 s.
double TimeClose(HWND window, LONGLONG frequency) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const corvane::CHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  LARGE_INTEGER before, after;
  QueryPerformanceCounter(&before);
  PostMessageW(window, WM_CLOSE, 0, 0);
  const DWORD waited = process ? WaitForSingleObject(process.Get(), 30000) : WAIT_FAILED;
  QueryPerformanceCounter(&after);
  return waited == WAIT_OBJECT_0 ? Milliseconds(after.QuadPart - before.QuadPart, frequency) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const double limitSeconds = argc > 1 ? std::atof(argv[1]) : 0;
  const HWND reference = StartReferenceWindow();
  const HWND window = WaitForWindow(60000);
  if (!window) {
    std::fprintf(stderr, "reply-time: no main window appeared\n");
    return 1;
  }
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> replies;
  int unanswered = 0;
  LARGE_INTEGER first;
  QueryPerformanceCounter(&first);
  bool closed = false;
  while (IsWindow(window)) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    if (limitSeconds > 0 && Milliseconds(before.QuadPart - first.QuadPart, frequency.QuadPart) >= limitSeconds * 1000) {
      const double closeMs = TimeClose(window, frequency.QuadPart);
      if (closeMs < 0) std::printf("close: the program had not ended 30 s after WM_CLOSE\n");
      else std::printf("close: the program ended %.0f ms after WM_CLOSE\n", closeMs);
      closed = true;
      break;
    }
    DWORD_PTR result = 0;
    const LRESULT answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    QueryPerformanceCounter(&after);
    if (answered) {
      replies.push_back(Milliseconds(after.QuadPart - before.QuadPart, frequency.QuadPart));
      if (replies.back() > 100.0) {
        bool referenceAnswered = false;
        const double referenceMs = TimeReply(reference, frequency.QuadPart, referenceAnswered);
        std::printf("slow reply: %.1f ms, %.2f s after the window appeared (a window of this program: %.1f ms)\n",
                    replies.back(), Milliseconds(before.QuadPart - first.QuadPart, frequency.QuadPart) / 1000.0,
                    referenceMs);
      }
    } else if (IsWindow(window)) {
      ++unanswered;
    }
    Sleep(100);
  }
  if (replies.empty()) {
    std::fprintf(stderr, "reply-time: the window never answered\n");
    return 1;
  }
  if (limitSeconds > 0 && !closed) std::printf("close: the window went before %.0f s\n", limitSeconds);
  std::vector<double> sorted = replies;
  std::sort(sorted.begin(), sorted.end());
  const auto at = [&](double share) { return sorted[static_cast<size_t>(share * (sorted.size() - 1))]; };
  const long slow = std::count_if(sorted.begin(), sorted.end(), [](double ms) { return ms > 100.0; });
  std::printf("first reply after the window appeared: %.1f ms\n", replies.front());
  std::printf("replies %zu, median %.1f ms, 95th percentile %.1f ms, longest %.1f ms, over 100 ms: %ld, unanswered: %d\n",
              sorted.size(), at(0.5), at(0.95), sorted.back(), slow, unanswered);
  return 0;
}
