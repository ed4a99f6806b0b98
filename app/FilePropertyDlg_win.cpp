#include "app/FilePropertyDlg.h"

#include <shellapi.h>

#include "app/PlayCommand.h"
#include "app/PropertyTexts.h"
#include "base/DialogPlacement.h"
#include "app/resource.h"
#include "base/ResourcePageAddress.h"
#include "base/WinModule.h"
#include "engine/ProbeMedia.h"
#include "engine/ToolRunner.h"

#include <system_error>
#include <thread>
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

constexpr uint32_t kBannerWaitMs = 10000;
// Posted by the probe's worker when it has ended; wParam: described or not.
constexpr UINT kProbeEndedMessage = WM_APP + 1;

}  // namespace

CFilePropertyDlg::CFilePropertyDlg(const SVideoPropertyInfo& info) : m_info(info) {}

CFilePropertyDlg::CFilePropertyDlg(std::wstring path) : m_probePath(std::move(path)) { m_info.filePath = m_probePath; }

CFilePropertyDlg::~CFilePropertyDlg() { StopProbe(); }

INT_PTR CFilePropertyDlg::DoModal(HWND owner) {
  return RunModal(owner, IDD_PROPERTY);
}

// The dialog base has made the banner's browser control before WM_INITDIALOG
// arrives here.
bool CFilePropertyDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (m_player && m_player->OnMessage(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(m_window);
      result = TRUE;
      return true;
    case WM_COMMAND:
      return OnCommand(m_window, LOWORD(wParam));
    case kProbeEndedMessage:
      OnProbeEnded(m_window, wParam != 0);
      return true;
    case WM_SETCURSOR:
      // Busy but usable: the arrow with the hour-glass, as the system shows
      // a program that works in the background.
      if (!m_busy) return false;
      SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
      result = TRUE;
      return true;
    case WM_DESTROY:
      StopProbe();
      return false;
    default:
      return false;
  }
}

void CFilePropertyDlg::OnInitDialog(HWND window) {
  CentreOnOwner(window);
  m_player = std::make_unique<CFilePlayer>(window);
  // The probe runs while the banner loads.
  if (!m_probePath.empty()) StartProbe(window);
  LoadBanner();
  ShowRecord(window);
  TranslateWindow(window);
}

void CFilePropertyDlg::ShowRecord(HWND window) {
  SetDlgItemTextW(window, IDC_PROP_FILE_NAME, m_info.filePath.c_str());
  SetDlgItemTextW(window, IDC_PROP_TYPE, m_info.format.c_str());
  SetDlgItemTextW(window, IDC_PROP_DIMENSIONS, DimensionsText(m_info, Translate(L"pixels")).c_str());
  SetDlgItemTextW(window, IDC_PROP_BITRATE, BitrateText(m_info).c_str());
  SetDlgItemTextW(window, IDC_PROP_FRAME_RATE, FrameRateText(m_info).c_str());
  SetDlgItemTextW(window, IDC_PROP_DURATION, m_info.duration.c_str());
  SetDlgItemTextW(window, IDC_PROP_VIDEO_CODEC, m_info.videoCodec.c_str());
  SetDlgItemTextW(window, IDC_PROP_AUDIO_CODEC, m_info.audioCodec.c_str());
  SetDlgItemTextW(window, IDC_PROP_AUDIO_BITRATE, AudioBitrateText(m_info).c_str());
  EnableWindow(GetDlgItem(window, IDC_PROP_PLAY), m_busy ? FALSE : TRUE);
}

void CFilePropertyDlg::StartProbe(HWND window) {
  auto probe = std::make_shared<SProbe>();
  probe->window = window;
  probe->probed.filePath = m_probePath;
  try {
    std::thread([probe, path = m_probePath] {
      // The tool's own open is the only look at the file: asking the
      // system whether it exists first is one more wait on a share that
      // stopped answering (and a named pipe has no attributes under Wine).
      SVideoPropertyInfo info;
      info.filePath = path;
      bool probed = false;
      try {
        const std::wstring tool = GetToolPath();
        probed = !tool.empty() && RunProbe(tool, path, info, &probe->stop);
      } catch (...) {
        // Nothing may leave a thread: the file counts as unreadable.
      }
      std::lock_guard<std::mutex> lock(probe->lock);
      probe->probed = std::move(info);
      if (probe->window) PostMessageW(probe->window, kProbeEndedMessage, probed ? 1 : 0, 0);
    }).detach();
  } catch (const std::system_error&) {
    m_probeFailed = true;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  m_probe = std::move(probe);
  m_busy = true;
}

void CFilePropertyDlg::OnProbeEnded(HWND window, bool probed) {
  if (!m_probe) return;  // already stopped by a close
  {
    std::lock_guard<std::mutex> lock(m_probe->lock);
    m_probe->window = nullptr;
    if (probed) m_info = m_probe->probed;
  }
  m_probe.reset();
  m_busy = false;
  if (!probed) {
    m_probeFailed = true;
    EndDialog(window, IDCANCEL);
    return;
  }
  ShowRecord(window);
  // The cursor over the dialog stops looking busy without waiting for the mouse to move.
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) && GetAncestor(WindowFromPoint(cursor), GA_ROOT) == window) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
}

void CFilePropertyDlg::StopProbe() {
  if (!m_probe) return;
  {
    std::lock_guard<std::mutex> lock(m_probe->lock);
    m_probe->window = nullptr;
  }
  // Ends the tool; the thread is not waited for: a tool stuck on a file that
  // does not answer must not hold the window.
  m_probe->stop.Stop();
  m_probe.reset();
  m_busy = false;
}

void CFilePropertyDlg::LoadBanner() {
  // Up to 10 s for the page, with the messages dispatched meanwhile; no wait
  // where the system cannot show pages at all (the dialog would only open
  // 10 s late). A page that does not load leaves the panel empty.
  const std::wstring address = ResourcePageAddress(ModuleFilePath(), L"snap.htm");
  if (address.empty()) return;
  SetOwnPage(address);  // the panel loads nothing else of the disk's
  NavigateAndWait(address, kBannerWaitMs);
}

bool CFilePropertyDlg::OnCommand(HWND window, WORD id) {
  switch (id) {
    case IDCANCEL:
    case IDOK:
      StopProbe();  // closing does not wait for a file that does not answer
      EndDialog(window, id);
      return true;
    case IDC_PROP_PLAY:
      if (!m_busy && m_player) m_player->Play(m_info.filePath);
      return true;
    case IDC_PROP_IGNORED:
      return true;  // accepted and ignored
    default:
      return false;
  }
}

}  // namespace corvane
