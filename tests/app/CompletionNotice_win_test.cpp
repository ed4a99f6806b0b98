// The completion notice reaches a launcher window in another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/JoinConvData.h"

using namespace corvane;

namespace {

constexpr wchar_t kLauncherClass[] = L"CorvaneTestLauncher";
constexpr wchar_t kLauncherMessage[] = L"UWM_CorvaneTestLauncher_IsMe";

struct SReceived {
  int notices = 0;
  DWORD busyMs = 0;  // how long the launcher keeps the notice before answering
  ULONG_PTR tag = 0;
  std::string bytes;
};
SReceived g_received;

// GWLP_USERDATA 1 marks a decoy: same class, but it does not answer with the
// message's number and must be passed over.
LRESULT CALLBACK LauncherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const UINT identify = RegisterWindowMessageW(kLauncherMessage);
  const bool decoy = GetWindowLongPtrW(window, GWLP_USERDATA) == 1;
  if (message == identify) return decoy ? 0 : identify;
  if (message == WM_COPYDATA && !decoy) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    ++g_received.notices;
    g_received.tag = data->dwData;
    g_received.bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
    Sleep(g_received.busyMs);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class CompletionNotice : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &LauncherProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kLauncherClass;
    RegisterClassExW(&wc);
  }
  void SetUp() override {
    DestroyRegisteredSingletons();
    g_received = {};
  }
  void TearDown() override {
    for (HWND w : m_windows) DestroyWindow(w);
    DestroyRegisteredSingletons();
  }
  HWND MakeLauncher(bool decoy) {
    HWND w = CreateWindowExW(0, kLauncherClass, L"launcher", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(w, GWLP_USERDATA, decoy ? 1 : 0);
    m_windows.push_back(w);
    return w;
  }
  // Sends the notice from a second thread while this thread, which owns the
  // launcher windows, keeps pumping messages.
  bool SendFromOtherThread() {
    std::atomic<bool> done{false};
    bool result = false;
    std::thread sender([&] {
      const DWORD start = GetTickCount();
      result = CJoinConvData::Instance().SendCompletionNotice();
      m_sendMs = GetTickCount() - start;
      done = true;
    });
    while (!done) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(1);
    }
    sender.join();
    return result;
  }
  void Launch(const std::wstring& address) {
    CJoinConvData& data = CJoinConvData::Instance();
    data.SetLaunchData(L"{#VideoClipsPath#:[],#AppMainWndClassName#:#CorvaneTestLauncher#,"
                       L"#AppUserMsg#:#UWM_CorvaneTestLauncher_IsMe#,#FlvUrl#:#" + address + L"#}");
    ASSERT_TRUE(data.ParseLaunchData());
  }
  std::vector<HWND> m_windows;
  DWORD m_sendMs = 0;
};

TEST_F(CompletionNotice, LauncherReceivesEscapedUtf8AddressWithTag1) {
  MakeLauncher(/*decoy=*/false);
  MakeLauncher(/*decoy=*/true);  // made last, so enumerated first
  Launch(L"http://video.example/watch?v=1&t=\u00e9t\u00e9 2");
  EXPECT_TRUE(SendFromOtherThread());
  EXPECT_EQ(g_received.notices, 1);
  EXPECT_EQ(g_received.tag, 1u);
  EXPECT_EQ(g_received.bytes, std::string("http://video.example/watch%3fv%3d1%26t%3d%c3%a9t%c3%a9%202") + '\0');
}

TEST_F(CompletionNotice, EmptyAddressSendsJustTheZero) {
  MakeLauncher(false);
  Launch(L"");
  EXPECT_TRUE(SendFromOtherThread());
  EXPECT_EQ(g_received.bytes, std::string(1, '\0'));
}

// A launcher that sits on the notice does not hold up the job's end: the
// send gives up after its bound.
TEST_F(CompletionNotice, LauncherThatKeepsTheNoticeTooLongIsLeftBehind) {
  MakeLauncher(false);
  Launch(L"http://x/");
  g_received.busyMs = kCompletionNoticeTimeoutMs + 3000;
  EXPECT_FALSE(SendFromOtherThread());
  EXPECT_EQ(g_received.notices, 1);
  EXPECT_GE(m_sendMs, kCompletionNoticeTimeoutMs - 100);
  EXPECT_LT(m_sendMs, kCompletionNoticeTimeoutMs + 1500);
}

TEST_F(CompletionNotice, NoLauncherWindowSendsNothing) {
  MakeLauncher(/*decoy=*/true);  // the class exists, but nobody answers
  Launch(L"http://x/");
  EXPECT_FALSE(SendFromOtherThread());
  EXPECT_EQ(g_received.notices, 0);
}

}  // namespace
