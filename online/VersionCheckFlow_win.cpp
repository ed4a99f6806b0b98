#include "online/VersionCheckFlow.h"

#include "base/AppCommonPath.h"
#include "base/F3DFileName.h"
#include "base/IniReader.h"
#include "base/ShellExecuteVerb.h"
#include "base/ModuleFileInfo.h"
#include "online/HandOffRecord.h"
#include "online/SimpleBrowserDlg.h"
#include "online/UrlDownload.h"
#include "online/VersionCheck.h"
#include "settings/ConverterPreference.h"
#include "settings/MultiLanguage.h"
#include "settings/Preference.h"

namespace corvane {
namespace {

std::wstring OwnVersion() { return CModuleFileInfo::GetVersionText(kVersionCompact); }

std::wstring LanguageName() { return CMultiLanguage::Instance().CurrentLanguageName(); }

// "UpdateURL" in "Settings": where a test or an administrator points the check.
std::wstring StoredUpdateUrl() {
  CPreference* store = GetPreference();
  return store ? store->GetString(L"Settings", L"UpdateURL", L"") : std::wstring();
}

void ShowTipPage(HWND mainWindow, const std::wstring& tipUrl) {
  ShowWindow(mainWindow, SW_HIDE);
  SBrowserWindowRequest request;
  request.address = tipUrl;
  request.language = LanguageName();
  request.addLanguage = true;
  request.closingEndsProgram = true;
  request.owner = mainWindow;
  // Without any window the hidden program could not be ended by the user.
  if (!CSimpleBrowserDlg::Open(request)) PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void OpenInstallerPage(const std::wstring& installerUrl) {
  SBrowserWindowRequest request;
  request.address = installerUrl;
  request.language = LanguageName();
  CSimpleBrowserDlg::Open(request);
}

void OfferUpdate(HWND mainWindow, const SVersionInfo& info, const SProgramIdentity& identity) {
  CConverterPreference& settings = CConverterPreference::Instance();
  SNewVersionData data;
  data.currentVersion = OwnVersion();
  data.currentReleaseDate = kProgramReleaseDate;
  data.latestVersion = info.version;
  data.latestReleaseDate = info.releaseDate;
  data.downloadUrl = info.downloadUrl;
  data.installerUrl = info.installerUrl;
  data.noReminder = (settings.SysFlags() & CConverterPreference::kSysFlagNoNewVersionReminder) != 0;
  CNewVersionDlg dialog(data);
  HWND active = GetActiveWindow();
  if (dialog.DoModal(active ? active : mainWindow) != IDOK) return;

  SReminderChoice reminder{settings.SysFlags(), settings.DismissedVersion()};
  ApplyReminderChoice(dialog.Data().noReminder, info.version, reminder);
  settings.SysFlags() = reminder.sysFlags;
  settings.SetDismissedVersion(reminder.dismissedVersion);
  // Saved now: the updater ends this program from outside.
  settings.Save();

  if (dialog.LinkUsed()) OpenInstallerPage(info.installerUrl);
  HandOffToUpdater(dialog.Data(), info, identity, SystemHandOffActions(mainWindow));
}

}  // namespace

std::wstring UpdateDataFolder() { return CAppCommonPath::Instance().UserDataFolder() + L"appdata\\"; }

std::unique_ptr<CVersionCheckWorker> MakeVersionCheckWorker(HWND mainWindow) {
  SVersionCheckJob job;
  job.language = LanguageName();
  job.version = OwnVersion();
  job.updateUrl = BuildUpdateUrl(StoredUpdateUrl(), job.language, job.version);
  job.versionFile = UpdateDataFolder() + kVersionFileName;
  const std::wstring configFolder = CAppCommonPath::Instance().PathOfKind(kPathUserConfig);
  job.domainListFile = configFolder + kDomainListFileName;
  CreateFolderTree(UpdateDataFolder());
  CreateFolderTree(configFolder);
  auto downloader = std::make_shared<CUrlDownloader>();
  return std::make_unique<CVersionCheckWorker>(
      job, [downloader](const std::wstring& url, const std::wstring& path) { return downloader->Download(url, path); },
      [downloader] { downloader->Cancel(); }, &DeleteFileQuietly,
      [mainWindow] { PostMessageW(mainWindow, kVersionCheckDoneMessage, /*wParam=*/1, /*lParam=*/0); });
}

void OnVersionFileArrived(HWND mainWindow, const SProgramIdentity& identity) {
  CIniReader file;
  if (!file.Open(UpdateDataFolder() + kVersionFileName)) return;
  const std::wstring own = OwnVersion();
  const SVersionInfo info = ReadVersionInfo(file, own);
  CConverterPreference& settings = CConverterPreference::Instance();
  const SReminderChoice reminder{settings.SysFlags(), settings.DismissedVersion()};
  switch (DecideVersionAction(own, info, reminder)) {
    case EVersionAction::kShowTipPage:
      ShowTipPage(mainWindow, info.tipUrl);
      break;
    case EVersionAction::kOfferUpdate:
      OfferUpdate(mainWindow, info, identity);
      break;
    case EVersionAction::kNothing:
      break;
  }
}

SHandOffActions SystemHandOffActions(HWND owner) {
  SHandOffActions actions;
  // Not CreateProcess: it refuses a program whose manifest asks for
  // administrator rights (ERROR_ELEVATION_REQUIRED) wherever UAC is on.
  actions.startProgram = [owner](const std::wstring& program, const std::wstring& parameters) {
    return ShellExecuteVerb(owner, L"open", program, SW_SHOWNORMAL, parameters);
  };
  actions.openInstallerPage = &OpenInstallerPage;
  return actions;
}

void HandOffToUpdater(const SNewVersionData& data, const SVersionInfo& package, const SProgramIdentity& identity,
                      const SHandOffActions& actions) {
  const CF3DFileName program = CF3DFileName::FromModule(nullptr);
  SHandOffRecord record;
  record.downloadUrl = data.downloadUrl;
  record.installerUrl = data.installerUrl;
  record.appMainWndClassName = identity.windowClassName;
  record.appUserMsg = identity.messageName;
  record.appFileName = program.FileName();
  record.curLangName = LanguageName();
  record.tempFilePath = UpdateDataFolder();
  record.currentVersion = data.currentVersion;
  record.latestVersion = data.latestVersion;
  record.packageSha256 = package.sha256;
  record.packageSignature = package.signature;
  const std::wstring updater = program.FolderPath() + L"updater.exe";
  // Not waited for: the updater ends this program itself. The user saying
  // no to the prompt is an answer, not a failure: no page, no message.
  const DWORD error = actions.startProgram(updater, BuildHandOffCommandLine(record));
  if (error == 0 || error == ERROR_CANCELLED) return;
  actions.openInstallerPage(data.installerUrl);
}

}  // namespace corvane
