// Entry of the updater: reads and checks the hand-off record, undoes an
// unpack an earlier run left unfinished, then either opens the installer
// page and ends (nothing to download) or runs the dialog.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "base/AppCommonPath.h"
#include "base/F3DLogHTML.h"
#include "base/Singleton.h"
#include "base/UniqueHandle.h"
#include "base/WinModule.h"
#include "updater/HandOffCheck.h"
#include "updater/SystemUserStarter.h"
#include "updater/UpdaterData.h"
#include "updater/UpdaterLog.h"
#include "updater/program/MainDlg.h"

namespace {

// The log goes to the per-user folder: the program folder is only written
// by the unpack, and the updater may run there without rights to it later.
// Opened without following links (UpdaterLog.h): the updater is elevated,
// the folder is the user's.
void StartLog(const std::wstring& userFolder) { corvane::StartUpdaterLog(corvane::CF3DLogHTML::Instance(), userFolder); }

// Reads the record and clears or replaces what may not be used; every
// refusal is logged.
void ReadRecord(corvane::CUpdaterData& data) {
  using namespace corvane;
  data.ReadCommandLine(GetCommandLineW());
  const std::wstring userFolder = CAppCommonPath::Instance().UserDataFolder();
  StartLog(userFolder);
  for (const std::wstring& refusal : CheckHandOffRecord(data, userFolder + L"appdata\\")) {
    CF3DLogHTML::Instance().Log(kLogWarn, refusal);
  }
}

// An updater killed half-way through an unpack left old files aside; they
// go back before anything else happens. Should that fail (a file held by a
// running program), the next unpack tries again first and refuses to go on.
void RecoverEarlierUnpack() {
  using namespace corvane;
  CUnpackFileSystem files;
  if (!RecoverInterruptedUnpack(CWinModule::Instance().Folder(), files)) {
    CF3DLogHTML::Instance().Log(kLogErr, L"An interrupted update could not be undone yet.");
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace corvane;
  const CSingletonTeardown teardown;
  try {
    // First of all: every path below may open the installer page, and the
    // shell hands a web address over through COM objects (URL handlers,
    // shell extensions) that need an initialised apartment on this thread.
    const CComApartment com;
    CUpdaterData& data = CUpdaterData::Instance();
    ReadRecord(data);
    RecoverEarlierUnpack();
    if (data.downloadUrl.empty()) {
      StartForUser(data.installerUrl);  // not as administrator; no message either way
      return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    CMainDlg dialog(data);
    return dialog.DoModal(GetActiveWindow());
  } catch (...) {
    return 0;  // an unusable record or an exhausted system: end quietly
  }
}
