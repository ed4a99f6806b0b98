#include "app/PlayCommand.h"

#include <system_error>
#include <thread>

#include "app/FlvDlg.h"
#include "base/ShellExecuteVerb.h"
#include "base/ShowMessage.h"
#include "base/UniqueHandle.h"
#include "online/BrowserHost.h"
#include "settings/MultiLanguage.h"
#include "settings/RegKey_win.h"

namespace corvane {
namespace {

bool IsExistingFile(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shell gets no owner window: a dialog it shows ("open with") would
// otherwise share the window's input and could stop it from answering.
bool OpenWithDefaultHandler(const std::wstring& path) {
  const DWORD error = ShellExecuteVerb(/*owner=*/nullptr, L"open", path, SW_SHOWNORMAL);
  if (error == ERROR_NO_ASSOCIATION || error == ERROR_FILE_NOT_FOUND) {
    // Nothing is set up to open this type: let the user pick a program.
    return ShellExecuteVerb(nullptr, L"openas", path, SW_SHOWNORMAL) == 0;
  }
  return error == 0;
}

}  // namespace

bool IsComClassRegistered(const std::wstring& classId) {
  const std::wstring key = L"CLSID\\{" + classId + L"}";
  CRegKey handle;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}

EPlayStart StartPlaying(const std::wstring& path, EPlayRoute route) {
  if (!IsExistingFile(path)) return EPlayStart::kNoFile;
  if (route == EPlayRoute::kPreviewWindow) return EPlayStart::kPreview;
  return OpenWithDefaultHandler(path) ? EPlayStart::kStarted : EPlayStart::kFailed;
}

CFilePlayer::CFilePlayer(HWND window, Start start, Failed onFailed)
    : m_window(window), m_start(std::move(start)), m_onFailed(std::move(onFailed)) {
  if (!m_onFailed) {
    m_onFailed = [window](const std::wstring& path) {
      ShowMessage(Translate(L"No program could be started to play this file:") + L"\n" + path, std::wstring(), window);
    };
  }
}

// The route looks at the file's name and the registry only; the file itself
// is looked at on the worker.
void CFilePlayer::Play(const std::wstring& path) {
  if (path.empty()) return;
  const EPlayRoute route = ChoosePlayRoute(path, CBrowserHost::EngineAvailable(), &IsComClassRegistered);
  StartWorker(++m_lastRequest, path, route);
}

void CFilePlayer::StartWorker(unsigned request, const std::wstring& path, EPlayRoute route) {
  m_pending[request] = path;
  try {
    // Detached: the worker owns copies of all it uses, and nobody waits
    // for it. The shell's handlers are COM objects, hence the apartment.
    std::thread([window = m_window, start = m_start, request, path, route] {
      EPlayStart outcome = EPlayStart::kFailed;
      try {
        const CComApartment com;
        outcome = start(path, route);
      } catch (...) {
        // Nothing may leave a thread: counts as a failed start.
      }
      PostMessageW(window, kPlayEndedMessage, request, static_cast<LPARAM>(outcome));
    }).detach();
  } catch (const std::system_error&) {
    m_pending.erase(request);
    m_onFailed(path);
  }
}

bool CFilePlayer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kPlayEndedMessage) return false;
  const auto found = m_pending.find(static_cast<unsigned>(wParam));
  if (found == m_pending.end()) return true;
  const std::wstring path = found->second;
  m_pending.erase(found);
  switch (static_cast<EPlayStart>(lParam)) {
    case EPlayStart::kPreview:
      // A preview window that cannot be made leaves the system's handler.
      if (!CFlvDlg::Open(path)) StartWorker(++m_lastRequest, path, EPlayRoute::kDefaultHandler);
      break;
    case EPlayStart::kFailed:
      m_onFailed(path);
      break;
    case EPlayStart::kNoFile:
    case EPlayStart::kStarted:
      break;
  }
  return true;
}

}  // namespace corvane
