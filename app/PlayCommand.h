#pragma once
// The Play... command of the main window and the property dialog (Windows
// only: include from _win.cpp files).
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "app/PlayRoute.h"

namespace corvane {

// How a request to play a file ended.
enum class EPlayStart {
  kNoFile,   // the path names no existing file: nothing is done
  kStarted,  // the system's handler for the file has it
  kPreview,  // the preview window is to play it (a window: made on the window's thread)
  kFailed,   // no program could be started
};

// Looks at the file and, on the default-handler route, hands it to the
// system's handler for its type ("open"; where none is associated, the
// system's "open with" choice). Blocking, and it may wait long: even asking
// whether a file on a share that stopped answering exists waits for the
// network. COM must be initialised on the calling thread.
EPlayStart StartPlaying(const std::wstring& path, EPlayRoute route);

// Whether the COM class (id text without braces) is registered under
// HKEY_CLASSES_ROOT\CLSID.
bool IsComClassRegistered(const std::wstring& classId);

// Posted to the window by a play request's worker: wParam the request's
// number, lParam its EPlayStart.
constexpr UINT kPlayEndedMessage = WM_APP + 0x2A;

// Plays files for one window without waiting on its thread: each request
// looks at its file and starts the handler on a worker of its own, which
// posts kPlayEndedMessage back. The window then opens the preview window,
// or shows "No program could be started to play this file:" with the path.
// A worker still waiting for its file when the player goes is left to end
// alone (closing the window does not wait for it); its answer goes nowhere.
class CFilePlayer {
 public:
  using Start = std::function<EPlayStart(const std::wstring& path, EPlayRoute route)>;
  using Failed = std::function<void(const std::wstring& path)>;

  // onFailed runs on the window's thread; by default it shows the message
  // owned by the window.
  explicit CFilePlayer(HWND window, Start start = &StartPlaying, Failed onFailed = {});
  CFilePlayer(const CFilePlayer&) = delete;
  CFilePlayer& operator=(const CFilePlayer&) = delete;

  // Plays the file: in the preview window where this system can show the
  // file's player page (a browser engine and the page's player object are
  // there), otherwise with the system's handler. Returns at once.
  void Play(const std::wstring& path);
  // For the window's message handler: takes kPlayEndedMessage (true), and
  // leaves every other message alone (false).
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void StartWorker(unsigned request, const std::wstring& path, EPlayRoute route);

  HWND m_window;
  Start m_start;
  Failed m_onFailed;
  unsigned m_lastRequest = 0;
  std::map<unsigned, std::wstring> m_pending;  // request number -> its file
};

}  // namespace corvane
