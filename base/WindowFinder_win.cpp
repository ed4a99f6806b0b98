#include "base/WindowFinder.h"

#include <mutex>

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

}  // namespace

UINT RegisterFinderMessage(const wchar_t* name) {
  return RegisterLocked([name] { return RegisterWindowMessageW(name); });
}

UINT RegisterFinderMessage(const char* name) {
  return RegisterLocked([name] { return RegisterWindowMessageA(name); });
}

}  // namespace corvane
