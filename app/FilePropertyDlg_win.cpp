#include "app/FilePropertyDlg.h"

#include <shellapi.h>

#include "app/PlayCommand.h"
#include "app/PropertyTexts.h"
#include "base/DialogPlacement.h"
#include "app/resource.h"
#include "base/ResourcePageAddress.h"
#include "base/WinModule.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

constexpr uint32_t kBannerWaitMs = 10000;

}  // namespace

INT_PTR CFilePropertyDlg::DoModal(HWND owner) {
  return RunModal(owner, IDD_PROPERTY);
}

// The dialog base has made the banner's browser control before WM_INITDIALOG
// arrives here.
bool CFilePropertyDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(m_window);
      result = TRUE;
      return true;
    case WM_COMMAND:
      return OnCommand(m_window, LOWORD(wParam));
    default:
      return false;
  }
}

void CFilePropertyDlg::OnInitDialog(HWND window) {
  CentreOnOwner(window);
  LoadBanner();
  SetDlgItemTextW(window, IDC_PROP_FILE_NAME, m_info.filePath.c_str());
  SetDlgItemTextW(window, IDC_PROP_TYPE, m_info.format.c_str());
  SetDlgItemTextW(window, IDC_PROP_DIMENSIONS, DimensionsText(m_info, Translate(L"pixels")).c_str());
  SetDlgItemTextW(window, IDC_PROP_BITRATE, BitrateText(m_info).c_str());
  SetDlgItemTextW(window, IDC_PROP_FRAME_RATE, FrameRateText(m_info).c_str());
  SetDlgItemTextW(window, IDC_PROP_DURATION, m_info.duration.c_str());
  SetDlgItemTextW(window, IDC_PROP_VIDEO_CODEC, m_info.videoCodec.c_str());
  SetDlgItemTextW(window, IDC_PROP_AUDIO_CODEC, m_info.audioCodec.c_str());
  SetDlgItemTextW(window, IDC_PROP_AUDIO_BITRATE, AudioBitrateText(m_info).c_str());
  TranslateWindow(window);
}

void CFilePropertyDlg::LoadBanner() {
  // Up to 10 s for the page, with the messages dispatched meanwhile; no wait
  // where the system cannot show pages at all (the dialog would only open
  // 10 s late). A page that does not load leaves the panel empty.
  const std::wstring address = ResourcePageAddress(ModuleFilePath(), L"snap.htm");
  if (!address.empty()) NavigateAndWait(address, kBannerWaitMs);
}

bool CFilePropertyDlg::OnCommand(HWND window, WORD id) {
  switch (id) {
    case IDCANCEL:
    case IDOK:
      EndDialog(window, id);
      return true;
    case IDC_PROP_PLAY:
      PlayFile(window, m_info.filePath);
      return true;
    case IDC_PROP_IGNORED:
      return true;  // accepted and ignored
    default:
      return false;
  }
}

}  // namespace corvane
