#pragma once
// Finds a running program's main window by its exact class name and a
// registered message that the window answers with the message's own number,
// and asks it to close (Windows only: include from _win.cpp files).
//
// A template over the character type: the updater uses wide text, the
// instance closer 8-bit text.
#include <windows.h>

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
HWND FindAnsweringWindow(const std::basic_string<Char>& className, UINT message) {
  window_finder_detail::SSearch<Char> search{&className, message, nullptr};
  if (message != 0) EnumWindows(&window_finder_detail::Visit<Char>, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <class Char>
class CWindowFinder {
 public:
  using String = std::basic_string<Char>;

  CWindowFinder(String className, String messageName)
      : m_className(std::move(className)), m_messageName(std::move(messageName)) {}

  // The first top-level window, in enumeration order, of the wanted class
  // that answers the message within 2000 ms; null when there is none.
  HWND Find() { return FindAnsweringWindow(m_className, RegisterFinderMessage(m_messageName.c_str())); }

  // Find, post WM_CLOSE and wait until the window is gone (no upper limit:
  // a window that ignores WM_CLOSE keeps the caller waiting). False when no
  // window was found.
  bool CloseAndWait() {
    HWND window = Find();
    if (!window || !IsWindow(window)) return false;
    PostMessageW(window, WM_CLOSE, 0, 0);
    while (IsWindow(window)) Sleep(500);
    Sleep(500);  // let the program release its files after the window goes
    return true;
  }

 private:
  String m_className;
  String m_messageName;
};

}  // namespace corvane
