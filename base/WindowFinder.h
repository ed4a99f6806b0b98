#pragma once
// Finds a running program's main window by its exact class name and a
// registered message that the window answers with the message's own number,
// and asks it to close, waiting a bounded time (Windows only: include from
// _win.cpp files).
//
// A template over the character type: the updater uses wide text, the
// instance closer 8-bit text.
#include <windows.h>

#include <functional>
#include <string>

namespace corvane {

// Registers a window message under a process-wide lock and lets it through
// the per-process message filter where the platform has one.
UINT RegisterFinderMessage(const wchar_t* name);
UINT RegisterFinderMessage(const char* name);

namespace window_finder_detail {

inline int GetClassNameOf(HWND window, wchar_t* buffer, int size) { return GetClassNameW(window, buffer, size); }
inline int GetClassNameOf(HWND window, char* buffer, int size) { return GetClassNameA(window, buffer, size); }

template <class Char>
struct SSearch {
  const std::basic_string<Char>* className;
  UINT message;
  HWND found;
};

template <class Char>
BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<SSearch<Char>*>(context);
  Char className[512] = {};
  if (GetClassNameOf(window, className, 511) <= 0) return TRUE;
  if (*search->className != className) return TRUE;
  DWORD_PTR answer = 0;
  const LRESULT sent = SendMessageTimeoutW(window, search->message, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                           /*timeoutMs=*/2000, &answer);
  if (sent == 0 || answer != search->message) return TRUE;  // a stranger of the same class
  search->found = window;
  return FALSE;
}

}  // namespace window_finder_detail

// The first top-level window, in enumeration order, whose class name is
// exactly `className` and that answers `message` (sent with both parameters
// 0, at most 2000 ms, not to a hung window) with the message number itself.
// Null when there is none or `message` is 0 (its registration failed).
template <class Char>
HWND FindInstanceWindow(const std::basic_string<Char>& className, UINT message) {
  window_finder_detail::SSearch<Char> search{&className, message, nullptr};
  if (message != 0) EnumWindows(&window_finder_detail::Visit<Char>, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What a bounded close saw.
enum class ECloseOutcome {
  kClosed,        // the window is gone (and its process has ended, when that was waited for)
  kStillRunning,  // the bound passed first: the program may still hold its files
  kNoneFound,     // no window answered: nothing was asked
};

// How long a close is waited for, and what the waiting thread does meanwhile.
struct SCloseWait {
  unsigned boundMs = 30000;
  // Also wait until the window's process has ended (its files are free
  // only then). A window of this very process is never waited for so.
  bool waitForProcess = true;
  // Milliseconds between looks at the window (which has no handle to wait on).
  unsigned pollMs = 50;
  // When set, called whenever messages arrive for the waiting thread, so
  // that its windows keep answering; otherwise the thread only sleeps.
  std::function<void()> pumpMessages;
};

// Posts `message` to `window`, then waits as `wait` says. Past the bound
// the caller decides: the window is left running, nothing more is sent.
ECloseOutcome PostAndWaitUntilClosed(HWND window, UINT message, WPARAM wParam, const SCloseWait& wait);

template <class Char>
class CWindowFinder {
 public:
  using String = std::basic_string<Char>;

  CWindowFinder(String className, String messageName)
      : m_className(std::move(className)), m_messageName(std::move(messageName)) {}

  // The first top-level window, in enumeration order, of the wanted class
  // that answers the message within 2000 ms; null when there is none.
  HWND Find() { return FindInstanceWindow(m_className, RegisterFinderMessage(m_messageName.c_str())); }

  // Find, post WM_CLOSE and wait, at most wait.boundMs, until the window is
  // gone and its process has ended.
  ECloseOutcome CloseAndWait(const SCloseWait& wait) {
    HWND window = Find();
    if (!window || !IsWindow(window)) return ECloseOutcome::kNoneFound;
    return PostAndWaitUntilClosed(window, WM_CLOSE, 0, wait);
  }

 private:
  String m_className;
  String m_messageName;
};

}  // namespace corvane
