#include "closer/AppCloser.h"

#include <windows.h>

#include <string>

#include "base/WindowFinder.h"
#include "closer/NsisStack.h"

namespace corvane {
namespace {

template <class Char>
std::basic_string<Char> WindowClass() {
  std::basic_string<Char> name;
  for (const char* c = kCloserWindowClass; *c; ++c) name += static_cast<Char>(*c);
  return name;
}

template <class Char>
ECloseOutcome CloseWith(const Char* product, unsigned windowBoundMs) {
  CWindowFinder<Char> finder(WindowClass<Char>(), CloseMessageName<Char>(product));
  HWND window = finder.Find();
  if (!window || !IsWindow(window)) return ECloseOutcome::kNoneFound;

  // Command 2 is the main window's Close (the program also ends this way
  // when the user closes it), not WM_CLOSE: it goes through the program's
  // own clean-up of a running job. Only the window is watched, every 500 ms;
  // the settle time below covers the process's own end.
  SCloseWait wait;
  wait.boundMs = windowBoundMs;
  wait.waitForProcess = false;
  wait.pollMs = kCloserPollMs;
  const ECloseOutcome outcome = PostAndWaitUntilClosed(window, WM_COMMAND, /*wParam=*/2, wait);
  // A program that did not close keeps its files whatever we wait: the
  // installer goes on now, and meets them as it would any file in use.
  if (outcome != ECloseOutcome::kClosed) return outcome;
  // The window goes before the process: give it time to write its settings,
  // end its tool runs and release the files the installer is about to touch.
  Sleep(kCloserSettleMs);
  return outcome;
}

}  // namespace

ECloseOutcome CloseRunningApp(const char* product, unsigned windowBoundMs) {
  return CloseWith<char>(product, windowBoundMs);
}
ECloseOutcome CloseRunningApp(const wchar_t* product, unsigned windowBoundMs) {
  return CloseWith<wchar_t>(product, windowBoundMs);
}

}  // namespace corvane
