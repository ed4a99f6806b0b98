#include "base/WindowFinder.h"

#include <algorithm>
#include <mutex>

#include "base/Handle.h"

namespace corvane {
namespace {

std::mutex& RegistrationLock() {
  static std::mutex lock;
  return lock;
}

// ChangeWindowMessageFilter exists from Vista on; looked up at run time so
// that its absence is no load failure. It lets a lower-integrity program's
// answer reach an elevated updater.
void AllowThroughMessageFilter(UINT message) {
  using ChangeFilterFn = BOOL(WINAPI*)(UINT, DWORD);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  auto change = reinterpret_cast<ChangeFilterFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  if (change) change(message, /*MSGFLT_ADD=*/1);
}

template <class Register>
UINT RegisterLocked(Register registerMessage) {
  std::lock_guard<std::mutex> guard(RegistrationLock());
  const UINT message = registerMessage();
  if (message != 0) AllowThroughMessageFilter(message);
  return message;
}

// The window's process, opened before anything is posted so that the wait
// is on that very process; none for this process or when it cannot be
// opened (then only the window is watched).
CHandle ProcessOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0 || processId == GetCurrentProcessId()) return CHandle();
  return CHandle(OpenProcess(SYNCHRONIZE, /*inherit=*/FALSE, processId));
}

}  // namespace

ECloseOutcome PostAndWaitUntilClosed(HWND window, UINT message, WPARAM wParam, const SCloseWait& wait) {
  CHandle process = wait.waitForProcess ? ProcessOf(window) : CHandle();
  PostMessageW(window, message, wParam, 0);
  const ULONGLONG deadline = GetTickCount64() + wait.boundMs;
  for (;;) {
    const bool windowGone = !IsWindow(window);
    const bool processEnded = !process || WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
    if (windowGone && processEnded) return ECloseOutcome::kClosed;
    const ULONGLONG now = GetTickCount64();
    // The bound is over: the program keeps running and the caller is told.
    if (now >= deadline) return ECloseOutcome::kStillRunning;
    const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(wait.pollMs, deadline - now));
    HANDLE handles[] = {process.Get()};
    const DWORD count = process ? 1 : 0;  // the window has no handle to wait on: it is polled
    if (wait.pumpMessages) {
      if (MsgWaitForMultipleObjects(count, handles, FALSE, slice, QS_ALLINPUT) == WAIT_OBJECT_0 + count) {
        wait.pumpMessages();
      }
    } else if (count > 0) {
      WaitForSingleObject(process.Get(), slice);
    } else {
      Sleep(slice);
    }
  }
}

UINT RegisterFinderMessage(const wchar_t* name) {
  return RegisterLocked([name] { return RegisterWindowMessageW(name); });
}

UINT RegisterFinderMessage(const char* name) {
  return RegisterLocked([name] { return RegisterWindowMessageA(name); });
}

}  // namespace corvane
