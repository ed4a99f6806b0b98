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
bool CloseWith(const Char* product) {
  CWindowFinder<Char> finder(WindowClass<Char>(), CloseMessageName<Char>(product));
  HWND window = finder.Find();
  if (!window || !IsWindow(window)) return false;

  // Command 2 is the main window's Close (the program also ends this way
  // when the user closes it), not WM_CLOSE: it goes through the program's
  // own clean-up of a running job.
  PostMessageW(window, WM_COMMAND, /*wParam=*/2, /*lParam=*/0);
  while (IsWindow(window)) Sleep(kCloserPollMs);
  // The window goes before the process: give it time to write its settings,
  // end its tool runs and release the files the installer is about to touch.
  Sleep(kCloserSettleMs);
  return true;
}

}  // namespace

bool CloseRunningApp(const char* product) { return CloseWith<char>(product); }
bool CloseRunningApp(const wchar_t* product) { return CloseWith<wchar_t>(product); }

}  // namespace corvane
