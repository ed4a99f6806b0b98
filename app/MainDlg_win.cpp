#include "app/MainDlg.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "app/AboutDlg.h"
#include "app/ButtonStates.h"
#include "app/DownloaderLookup.h"
#include "app/FilePropertyDlg.h"
#include "app/PlayCommand.h"
#include "app/JoinConvData.h"
#include "app/OneInstance2.h"
#include "app/OutputPathDialog.h"
#include "app/VendorAddresses.h"
#include "app/resource.h"
#include "base/AppCommonPath.h"
#include "base/F3DFileName.h"
#include "base/F3DLogHTML.h"
#include "base/ModuleFileInfo.h"
#include "base/ResourcePageAddress.h"
#include "base/ShellExecuteVerb.h"
#include "base/TextConvert.h"
#include "base/ShowMessage.h"
#include "base/UiTimer.h"
#include "engine/ToolRunner.h"
#include "engine/VideoPropertyInfo.h"
#include "online/BrowserEventDispatch.h"
#include "online/NavigationFilters.h"
#include "online/PanelAddresses.h"
#include "online/SimpleBrowserDlg.h"
#include "online/VersionCheckFlow.h"
#include "settings/ConverterPreference.h"
#include "settings/MultiLangCombobox.h"
#include "settings/MultiLanguage.h"
#include "settings/TranslateWindow.h"

namespace corvane {
namespace {

// Exit code of a normal run: the main window always quits with 2.
constexpr int kExitCodeClosed = 2;
constexpr unsigned kJoinTimerPeriodMs = 1000;
constexpr unsigned kPanelRefreshPeriodMs = 300000;
// Navigates the web panel to its start page (no control sends it).
constexpr WORD kCmdPanelStartPage = 2007;
// A stand-alone browser window's "download" command link (our pages' button
// for getting videos off a site): the same as the window's Video Download.
constexpr WORD kCmdPageDownload = 2030;
// The built-in page shown when the panel cannot reach the server.
constexpr wchar_t kOfflinePage[] = L"snap.htm";

struct SListButton {
  int id;
  int icon;              // the drawn icon in the program's resources
  ECommandImage image;   // its slot in the command image lists
  const wchar_t* tip;    // English; shown translated
};
const SListButton kListButtons[] = {
    {IDC_MOVE_UP, IDI_CMD_MOVE_UP, ECommandImage::kMoveUp, L"Move Up"},
    {IDC_MOVE_DOWN, IDI_CMD_MOVE_DOWN, ECommandImage::kMoveDown, L"Move Down"},
    {IDC_PLAY, IDI_CMD_PLAY, ECommandImage::kPlay, L"Play..."},
    {IDC_ADD, IDI_CMD_ADD, ECommandImage::kAdd, L"Add..."},
    {IDC_REMOVE, IDI_CMD_REMOVE, ECommandImage::kRemove, L"Remove"},
    {IDC_PROPERTY, IDI_CMD_PROPERTY, ECommandImage::kProperty, L"Property..."},
};

}  // namespace

CMainDlg::CMainDlg() = default;

CMainDlg::~CMainDlg() {
  // The workers stop before the timers and the window go.
  m_versionCheck.reset();
  m_controller.reset();
  m_player.reset();
  m_panelTimer.reset();
  m_queueTimer.reset();
  m_monitorTimer.reset();
  if (m_window) DestroyWindow(m_window);
}

bool CMainDlg::Create() {
  m_window = CreateModeless(/*owner=*/nullptr, IDD_MAINDLG);
  return m_window != nullptr;
}

// The dialog base has made the web panel before WM_INITDIALOG arrives here
// and releases it before WM_DESTROY does. The identity answers first.
bool CMainDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (COneInstance2::Instance() &&
      COneInstance2::Instance()->ProcessWindowMessage(m_window, message, wParam, lParam, result)) {
    return true;
  }
  if (m_player && m_player->OnMessage(message, wParam, lParam)) {
    result = 0;
    return true;
  }
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog() ? TRUE : FALSE;
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (m_fileList.HandleNotify(header, result)) return true;
      return m_languageBox && header->idFrom == IDC_LANGUAGE && m_languageBox->HandleNotify(header);
    }
    case WM_DESTROY:
      m_fileList.OnDestroy();
      m_secondBrowser.Destroy();
      return false;
    case WM_CLOSE:
      OnCommand(kCmdClose, BN_CLICKED, nullptr);
      return true;
    case kVersionCheckDoneMessage:
      if (!m_ending) OnVersionFileArrived(m_window, {kMainWindowClassName, kIdentificationMessageName});
      result = 0;
      return true;
    default:
      return false;
  }
}

bool CMainDlg::OnInitDialog() {
  m_outputFolder = CConverterPreference::Instance().OutputFolder();
  SetWindowIcons();
  SetMessageMainWindow(m_window);
  m_player = std::make_unique<CFilePlayer>(m_window);
  CheckDlgButton(m_window, IDC_FAST_JOIN, BST_CHECKED);
  CJoinConvData& data = CJoinConvData::Instance();
  data.ParseLaunchData();
  m_controller = std::make_unique<CJoinController>(*this, m_steps, data.Job(), GetToolPath(),
                                                   CAppCommonPath::Instance().ProgramFolder());
  // A copy started with launch data begins joining at once; the Join
  // command does nothing with fewer than two files.
  PostCommand(kCmdJoin);

  m_queueTimer = std::make_unique<UiTimer>(
      [this](uint32_t) { return m_controller && m_controller->OnQueueTimer(); }, kJoinTimerPeriodMs);
  m_queueTimer->Kill();  // started by Join on the conversion route
  m_monitorTimer = std::make_unique<UiTimer>(
      [this](uint32_t) {
        if (!m_controller) return false;
        const EJoinMode before = m_controller->Mode();
        m_controller->OnMonitorTimer();
        if (m_controller && m_controller->Mode() != before) UpdateButtons();
        return true;
      },
      kJoinTimerPeriodMs);

  m_panelTimer = std::make_unique<UiTimer>(
      [this](uint32_t) {
        NavigatePanelToStartPage();
        return true;
      },
      kPanelRefreshPeriodMs);

  SendDlgItemMessageW(m_window, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
  UpdateButtons();
  // Files dropped while a job runs would be lost when it empties the list.
  m_fileList.OnInit(
      GetDlgItem(m_window, IDC_FILE_LIST), [this] { return m_controller && !m_controller->IsJobRunning(); },
      [this] { UpdateButtons(); });
  SetUpListButtons();
  m_homeLink.AttachDlgItem(m_window, IDC_HOME_LINK);
  m_homeLink.SetLabel(kVendorWebAddressShown);
  m_homeLink.SetTarget(kVendorWebAddress);  // shown in its tool tip

  m_languageBox = std::make_unique<CMultiLangCombobox>();
  m_languageBox->Attach(GetDlgItem(m_window, IDC_LANGUAGE));
  m_languageBox->Fill();
  // A launched job shows the launcher's language; otherwise the one in use.
  CMultiLanguage& languages = CMultiLanguage::Instance();
  const std::wstring language = data.StartedWithLaunchData() && !data.InterfaceLanguage().empty()
                                    ? data.InterfaceLanguage()
                                    : languages.CurrentLanguageName();
  // A launcher's language that is not installed leaves the box empty (and
  // the window English); an unknown language of our own shows English.
  int index = languages.IndexOfLanguage(language);
  if (index < 0 && !data.StartedWithLaunchData()) index = 0;
  m_languageBox->SelectAtStart(index);
  TranslateWindow(m_window);
  // The panel asks for its page either way (the join log goes the same
  // way); where no page can be shown the built-in banner covers it.
  NavigatePanelToStartPage();
  if (!CBrowserHost::EngineAvailable()) ShowPanelBanner();
  m_secondBrowser.Create(m_window, IDC_SECOND_BROWSER);
  m_versionCheck = MakeVersionCheckWorker(m_window);
  m_versionCheck->Start();
  return true;  // let the system set the focus
}

bool CMainDlg::OnCommand(WORD id, WORD code, HWND control) {
  if (id == IDC_LANGUAGE) return m_languageBox && m_languageBox->HandleCommand(code, control);
  if (!m_controller || m_ending) return id == kCmdClose;
  if (OnListCommand(id)) return true;
  if (!m_controller->OnCommand(id)) return false;
  // The controller changes its step after it asks for the buttons to be
  // updated: bring them up to date with the step it is in now.
  UpdateButtons();
  return true;
}

bool CMainDlg::OnListCommand(WORD id) {
  // Buttons disabled by the enabling rules may still be reached by a posted
  // command: the same rules are checked here.
  const SButtonStates states =
      ComputeButtonStates(CJoinConvData::Instance().Files().size(), m_controller->Mode());
  switch (id) {
    case IDC_ADD:
      if (states.add && m_fileList.AddFilesFromDialog(GetActiveWindow() ? GetActiveWindow() : m_window)) UpdateButtons();
      return true;
    case IDC_REMOVE:
      if (states.remove && m_fileList.RemoveSelected()) UpdateButtons();
      return true;
    case IDC_MOVE_UP:
      if (states.moveUp) m_fileList.MoveSelectedUp();
      return true;
    case IDC_MOVE_DOWN:
      if (states.moveDown) m_fileList.MoveSelectedDown();
      return true;
    case IDC_PLAY:
      if (states.play) PlaySelected();
      return true;
    case IDC_PROPERTY:
      if (states.property) ShowSelectedProperties();
      return true;
    case IDC_CHOOSE_OUTPUT_FOLDER:
      ChooseOutputFolder();
      return true;
    case IDC_OPEN_OUTPUT_FOLDER:
      OpenOutputFolder();
      return true;
    case IDC_VIDEO_DOWNLOAD:
    case kCmdPageDownload:
      StartDownloader();
      return true;
    case IDC_HOME_LINK:
      OpenBrowserWindow(kVendorWebAddress);
      return true;
    case kCmdPanelStartPage:
      NavigatePanelToStartPage();
      return true;
    case IDC_ABOUT: {
      CAboutDlg about;
      about.DoModal(GetActiveWindow() ? GetActiveWindow() : m_window);
      return true;
    }
    default:
      return false;
  }
}

void CMainDlg::SetWindowIcons() {
  m_bigIcon = LoadIconOfSize(IDI_MAINFRAME, SM_CXICON, SM_CYICON);
  m_smallIcon = LoadIconOfSize(IDI_MAINFRAME, SM_CXSMICON, SM_CYSMICON);
  if (m_bigIcon) SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
  if (m_smallIcon) SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
}

// No control of the window sends this: other programs and a future menu
// may post it (command 1001).
void CMainDlg::ChooseOutputFolder() {
  const std::wstring title = Translate(L"Select a directory...");
  BROWSEINFOW browse = {};
  browse.hwndOwner = m_window;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
  browse.lpfn = [](HWND dialog, UINT message, LPARAM, LPARAM data) -> int {
    if (message == BFFM_INITIALIZED && data) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
  };
  browse.lParam = reinterpret_cast<LPARAM>(m_outputFolder.c_str());
  const TCoTaskMem<ITEMIDLIST_ABSOLUTE> chosen(SHBrowseForFolderW(&browse));
  if (!chosen) return;
  wchar_t folder[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen.Get(), folder) && folder[0]) {
    m_outputFolder = folder;
    CConverterPreference::Instance().SetOutputFolder(m_outputFolder);
  }
}

// Command 1030, sent by no control either: shows the output folder.
void CMainDlg::OpenOutputFolder() {
  if (m_outputFolder.empty()) return;
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_INVOKEIDLIST;
  info.hwnd = m_window;
  info.lpFile = m_outputFolder.c_str();
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

// The maker's downloader when it is installed, else its download page.
void CMainDlg::StartDownloader() {
  const std::wstring program = FindDownloader();
  if (!program.empty()) {
    // Through the shell: a downloader whose manifest asks for administrator
    // rights gets the elevation prompt (CreateProcess would refuse it with
    // ERROR_ELEVATION_REQUIRED).
    const DWORD error = ShellExecuteVerb(m_window, /*verb=*/nullptr, program, SW_SHOWNORMAL);
    if (error == 0) return;
    if (error == ERROR_CANCELLED) return;  // the user said no to the prompt: nothing else to do
    CF3DLogHTML::Instance().LogFormat(kLogWarn, L"The downloader %ls could not be started (error %lu)",
                                      program.c_str(), static_cast<unsigned long>(error));
  }
  OpenBrowserWindow(DownloaderPageAddress());
}

void CMainDlg::OpenBrowserWindow(const std::wstring& address) {
  SBrowserWindowRequest request;
  request.address = address;
  request.language = CMultiLanguage::Instance().CurrentLanguageName();
  request.addLanguage = true;
  request.owner = m_window;
  CSimpleBrowserDlg::Open(request);
}

void CMainDlg::ShowPanelBanner() {
  // The banner's picture links to the product page, as on the built-in page.
  const std::wstring productPage = std::wstring(kVendorWebAddress) + L"soft.php";
  m_panelBanner.Create(GetDlgItem(m_window, IDC_WEB_PANEL), GetModuleHandleW(nullptr), IDB_PANEL_BANNER,
                       [this, productPage] { OpenBrowserWindow(productPage); });
}

void CMainDlg::NavigatePanelToStartPage() {
  CBrowserHost* browser = Browser();
  if (!browser) return;
  browser->Navigate(MainPanelAddress(CMultiLanguage::Instance().CurrentLanguageName(),
                                     CModuleFileInfo::GetVersionText(kVersionCompact)));
}

void CMainDlg::OnBeforeNavigate(const std::wstring& url, const std::string& postData, bool& cancel) {
  // The panel's traffic in the log: where it has no page engine, this is all
  // there is to see of it.
  CF3DLogHTML::Instance().Log(kLogInfo, L"Web panel: before navigate " + url);
  const std::wstring builtInPage = ResourcePageAddress(CF3DFileName::FromModule(nullptr).FullPath(), kOfflinePage);
  const EMainPanelAction action = FilterMainPanelNavigation(url, postData, builtInPage);
  // A frame of our page may show another site; only the page itself goes
  // to the user's browser.
  const CBrowserHost* panel = Browser();
  if (action == EMainPanelAction::kOpenInBrowser && panel && !panel->NavigationIsTopLevel()) return;
  switch (action) {
    case EMainPanelAction::kProceed:
      return;
    case EMainPanelAction::kCancel:
      cancel = true;
      return;
    case EMainPanelAction::kOpenInBrowser:
      cancel = true;
      if (!OpenInDefaultBrowser(url)) {
        CF3DLogHTML::Instance().LogFormat(kLogWarn, L"Web panel: the browser could not open %ls", url.c_str());
      }
      return;
    case EMainPanelAction::kCancelAndSearch: {
      cancel = true;
      const auto search = BuildSearch(Utf8ToWide(postData.c_str()), /*fromForm=*/true);
      if (!search) return;
      SBrowserWindowRequest request;
      request.address = search->address;
      request.language = CMultiLanguage::Instance().CurrentLanguageName();
      request.pageKind = search->pageKind;
      request.owner = m_window;
      CSimpleBrowserDlg::Open(request);
      return;
    }
  }
}

void CMainDlg::OnNavigateError(const std::wstring& url, long statusCode) {
  CF3DLogHTML::Instance().LogFormat(kLogInfo, L"Web panel: navigate error %ld %ls", statusCode, url.c_str());
  const std::wstring offline =
      ResourcePageAddress(CF3DFileName::FromModule(nullptr).FullPath(), kOfflinePage);
  CBrowserHost* browser = Browser();
  // The built-in page failing too must not start a loop.
  if (browser && url != offline) browser->Navigate(offline);
}

void CMainDlg::PlaySelected() {
  const std::optional<size_t> index = m_fileList.SelectedOrFirst();
  if (index) m_player->Play(CJoinConvData::Instance().Files()[*index]);
}

// The dialog probes the file itself, off this thread: even asking whether a
// file on a share that stopped answering exists can take minutes.
void CMainDlg::ShowSelectedProperties() {
  const std::optional<size_t> index = m_fileList.SelectedOrFirst();
  if (!index) return;
  const std::wstring path = CJoinConvData::Instance().Files()[*index];
  CFilePropertyDlg dialog(path);
  dialog.DoModal(m_window);
  if (dialog.ProbeFailed()) ShowMessage({L"This file cannot be read as a video: %1", {path}}, L"Tips");
}

// The six list buttons: image buttons drawing their command images, with
// the translated command names as captions and tool tips.
void CMainDlg::SetUpListButtons() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  m_commandImages.Create();  // without it the buttons show no image but work
  constexpr size_t kCount = sizeof kListButtons / sizeof kListButtons[0];
  static_assert(kCount == sizeof m_listButtons / sizeof m_listButtons[0], "one button object per list button");
  for (size_t i = 0; i < kCount; ++i) {
    const SListButton& button = kListButtons[i];
    const CIconHandle icon(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(button.icon), IMAGE_ICON,
                                                         kCommandImageSize, kCommandImageSize, LR_DEFAULTCOLOR)));
    if (icon) m_commandImages.SetImage(button.image, icon.Get());  // the lists keep a copy
    CIcon2Button& control = m_listButtons[i];
    if (!control.AttachDlgItem(m_window, button.id)) continue;
    control.SetImageLists(m_commandImages.Normal(), m_commandImages.Disabled(), CommandImageIndex(button.image));
    control.SetCaption(Translate(button.tip));
  }
}

void CMainDlg::EnableControl(int id, bool enabled) {
  if (HWND control = GetDlgItem(m_window, id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

// IJoinHost

void CMainDlg::PostCommand(int commandId) {
  if (m_window) PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
}

void CMainDlg::StartQueueTimer() {
  if (m_queueTimer) m_queueTimer->Start();
}

void CMainDlg::StopTimers() {
  if (m_queueTimer) m_queueTimer->Kill();
  if (m_monitorTimer) m_monitorTimer->Kill();
}

void CMainDlg::SetProgress(int position) {
  if (m_window) SendDlgItemMessageW(m_window, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

namespace {

// The text and each argument through the language pack (file names and
// numbers have no entries and stay as they are).
std::wstring TranslateMessage(const SUserMessage& message) {
  std::vector<std::wstring> args;
  for (const std::wstring& arg : message.args) args.push_back(Translate(arg));
  return FillMessageArgs(Translate(message.text), args);
}

}  // namespace

void CMainDlg::ShowMessage(const SUserMessage& message, const std::wstring& caption) {
  corvane::ShowMessage(TranslateMessage(message), Translate(caption), m_window);
}

bool CMainDlg::AskYesNo(const SUserMessage& message, const std::wstring& caption) {
  return AskQuestion(TranslateMessage(message), Translate(caption), m_window);
}

void CMainDlg::RefreshFileList() { m_fileList.Refresh(); }

void CMainDlg::UpdateButtons() {
  if (!m_window) return;
  const EJoinMode mode = m_controller ? m_controller->Mode() : kJoinIdle;
  const SButtonStates states = ComputeButtonStates(CJoinConvData::Instance().Files().size(), mode);
  EnableControl(IDC_JOIN, states.join);
  EnableControl(IDC_MOVE_UP, states.moveUp);
  EnableControl(IDC_MOVE_DOWN, states.moveDown);
  EnableControl(IDC_ADD, states.add);
  EnableControl(IDC_REMOVE, states.remove);
  EnableControl(IDC_PLAY, states.play);
  EnableControl(IDC_PROPERTY, states.property);
  EnableControl(IDC_CANCEL_JOIN, states.cancel);
}

void CMainDlg::EndProgram() {
  m_ending = true;
  StopTimers();
  if (m_panelTimer) m_panelTimer->Kill();
  if (m_versionCheck) m_versionCheck->Stop();
  if (m_window) DestroyWindow(m_window);
  PostQuitMessage(kExitCodeClosed);
}

bool CMainDlg::PromptOutputPath(std::wstring& path) {
  const auto& files = CJoinConvData::Instance().Files();
  if (files.empty()) return false;
  HWND owner = GetActiveWindow();
  return AskOutputPath(owner ? owner : m_window, files.front(), path);
}

bool CMainDlg::IsFastJoinChecked() { return m_window && IsDlgButtonChecked(m_window, IDC_FAST_JOIN) == BST_CHECKED; }

void CMainDlg::ShowResult(const SVideoPropertyInfo& info) {
  CFilePropertyDlg dialog(info);
  dialog.DoModal(m_window);
}

// The join log: the panel asks the server's log page; the answer is not awaited.
void CMainDlg::SendDiagnosticReport(const std::wstring& sourceUrl) {
  if (CBrowserHost* browser = Browser()) {
    browser->Navigate(JoinLogAddress(CMultiLanguage::Instance().CurrentLanguageName(), sourceUrl));
  }
}

void CMainDlg::SendCompletionNotice() { CJoinConvData::Instance().SendCompletionNotice(); }

}  // namespace corvane
