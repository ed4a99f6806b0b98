// Entry of the updater: reads the hand-off record, then either opens the
// installer page and ends (nothing to download) or runs the dialog.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "updater/ShellOpenUrl.h"
#include "updater/UpdaterData.h"
#include "updater/program/MainDlg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace corvane;
  try {
    CUpdaterData& data = CUpdaterData::Instance();
    data.ReadCommandLine(GetCommandLineW());
    if (data.downloadUrl.empty()) {
      OpenInstallerPage(data.installerUrl);
      return 0;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    int result = 0;
    {
      CMainDlg dialog(data);
      result = dialog.DoModal(GetActiveWindow());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
  } catch (...) {
    return 0;  // an unusable record or an exhausted system: end quietly
  }
}
