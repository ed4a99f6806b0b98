#include "updater/program/MainDlg.h"

#include <commctrl.h>

#include "base/DialogPlacement.h"
#include "base/F3DLogHTML.h"
#include "base/WinModule.h"
#include "base/WindowFinder.h"
#include "settings/TranslateWindow.h"
#include "updater/DownloadAdapters.h"
#include "updater/Sha256.h"
#include "updater/ProtectedFolder.h"
#include "updater/SystemUserStarter.h"
#include "updater/UpdatePublicKey.h"
#include "updater/program/resource.h"

namespace corvane {
namespace {

constexpr unsigned kTimerPeriodMs = 1000;
// How long the main program gets to close before the update is given up.
constexpr unsigned kMainProgramCloseBoundMs = 30000;

}  // namespace

CMainDlg::CMainDlg(const SUpdaterRecord& record)
    : m_record(record), m_flow(*this, record), m_folder(CWinModule::Instance().Folder()) {
  LoadBanner();
}

CMainDlg::~CMainDlg() = default;

int CMainDlg::DoModal(HWND owner) {
  return static_cast<int>(RunModal(owner, IDD_UPDATER));
}

void CMainDlg::LoadBanner() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_BANNER), RT_RCDATA);
  if (!found) return;
  const DWORD size = SizeofResource(module, found);
  const void* bytes = LockResource(LoadResource(module, found));
  if (!bytes || size == 0) return;
  // OleLoadPicture reads from a stream; the stream owns (and frees) its copy.
  CGlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!copy) return;
  memcpy(GlobalLock(copy.Get()), bytes, size);
  GlobalUnlock(copy.Get());
  Microsoft::WRL::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy.Get(), /*deleteOnRelease=*/TRUE, &stream))) return;
  copy.Detach();  // the stream's now
  OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                 reinterpret_cast<void**>(m_banner.ReleaseAndGetAddressOf()));
}

INT_PTR CMainDlg::OnUnexpectedException() {
  ::EndDialog(m_window, kUpdaterDialogResult);
  return TRUE;
}

bool CMainDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = TRUE;
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_SIZE:
      if (m_statusBar) SendMessageW(m_statusBar, WM_SIZE, 0, 0);
      return false;
    default:
      return false;
  }
}

void CMainDlg::OnInitDialog() {
  CentreOnOwner(m_window);
  m_bigIcon = LoadIconOfSize(IDI_UPDATER, SM_CXICON, SM_CYICON);
  m_smallIcon = LoadIconOfSize(IDI_UPDATER, SM_CXSMICON, SM_CYSMICON);
  SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
  SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
  CreateStatusBar();
  m_timer = std::make_unique<UiTimer>([this](uint32_t) { return m_flow.OnTimer(); }, kTimerPeriodMs);

  // The updater keeps no language setting: the pack named in the record only.
  CMultiLanguage::SOptions options;
  options.languageFolder = m_folder + L"language\\";
  options.defaultLanguage = CMultiLanguage::kEnglish;
  m_languages = std::make_unique<CMultiLanguage>(options);
  // Chosen as the language box would: the manager starts in English, so the
  // record's language becomes current and English the one texts come from.
  if (!m_record.curLangName.empty()) m_languages->SelectLanguage(m_record.curLangName, /*initial=*/false);
  TranslateWindow(*m_languages, m_window);

  const std::wstring title = Translate(L"From old version") + L" " + m_record.currentVersion + L" " +
                             Translate(L"update to new version") + L" " + m_record.latestVersion + L" ";
  SetDlgItemTextW(m_window, IDC_TITLE, title.c_str());
  SetWindowTextW(m_window, (Translate(L"Updater") + L" v1.3").c_str());
  SendDlgItemMessageW(m_window, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);
}

void CMainDlg::CreateStatusBar() {
  m_statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                                GetModuleHandleW(nullptr), nullptr);
  int parts[] = {-1};
  SendMessageW(m_statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
}

bool CMainDlg::OnCommand(UINT id) {
  switch (id) {
    case IDC_PAUSE: m_flow.OnPauseResume(); return true;
    case IDCANCEL: m_flow.OnCancel(); return true;  // the button, the close box and WM_CLOSE
    default: return false;
  }
}

void CMainDlg::OnEraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(m_window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
  if (m_banner) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_banner->get_Width(&width);
    m_banner->get_Height(&height);
    // HIMETRIC is 0.01 mm: the picture's natural size in this device's pixels.
    const int cx = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    const int cy = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    m_banner->Render(dc, 0, 0, cx, cy, 0, height, width, -height, nullptr);
  }
}

std::unique_ptr<IHttpBody> CMainDlg::Get(const std::wstring& url) { return HttpGetNoCache(url); }

std::unique_ptr<IPackageWriter> CMainDlg::CreatePackage(const std::wstring& path) {
  return CreatePackageFile(path);
}

void CMainDlg::DeletePackage(const std::wstring& path) { DeleteFileW(path.c_str()); }

uint32_t CMainDlg::TickCount() { return GetTickCount(); }

void CMainDlg::Sleep(uint32_t ms) { ::Sleep(ms); }

void CMainDlg::PumpMessages() {
  // Only the dialog's own messages (and its controls'): the thread timer
  // stays queued until the transfer returns to the dialog loop.
  MSG message;
  while (PeekMessageW(&message, m_window, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageW(m_window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void CMainDlg::ShowUrl(std::wstring_view url) {
  SetDlgItemTextW(m_window, IDC_DOWNLOAD_URL, std::wstring(url).c_str());
}

void CMainDlg::ShowSize(const std::wstring& text) { SetDlgItemTextW(m_window, IDC_FILE_SIZE, text.c_str()); }

void CMainDlg::ShowProgress(int position) { SendDlgItemMessageW(m_window, IDC_PROGRESS, PBM_SETPOS, position, 0); }

void CMainDlg::ShowStatus(const std::wstring& text) {
  SendMessageW(m_statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CMainDlg::WriteDiagnostics(std::string_view text) {
  // A windowed program normally has no standard output; then this is dropped.
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (!out || out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, /*overlapped=*/nullptr);
}

void CMainDlg::FallBack() {
  OpenInstallerPage();
  PostClose();
}

void CMainDlg::StartTimer() {
  if (m_timer) m_timer->Start();
}

void CMainDlg::StopTimer() {
  if (m_timer) m_timer->Kill();
}

std::wstring CMainDlg::Translate(const std::wstring& english) {
  return m_languages ? m_languages->Translate(english) : english;
}

void CMainDlg::SetPauseLabel(const std::wstring& text) { SetDlgItemTextW(m_window, IDC_PAUSE, text.c_str()); }

void CMainDlg::DisablePause() { EnableWindow(GetDlgItem(m_window, IDC_PAUSE), FALSE); }

void CMainDlg::ShowFailure(const std::wstring& text) {
  if (!m_failureIcon) m_failureIcon = LoadIconOfSize(IDI_FAILURE, SM_CXSMICON, SM_CYSMICON);
  SendMessageW(m_statusBar, SB_SETICON, 0, reinterpret_cast<LPARAM>(m_failureIcon.Get()));
  ShowStatus(text);
}

void CMainDlg::OpenInstallerPage() { StartForUser(m_record.installerUrl); }

void CMainDlg::PostClose() { PostMessageW(m_window, WM_CLOSE, 0, 0); }

void CMainDlg::EndDialog(int result) { ::EndDialog(m_window, result); }

bool CMainDlg::HoldPackage(const std::wstring& downloadPath) {
  std::wstring reason;
  const std::wstring folder = PrepareProtectedFolder(ProgramDataFolder(), kUpdatesFolder, IsProcessElevated(), reason);
  if (folder.empty() || !m_package.Hold(downloadPath, folder, reason)) {
    Log(L"Update package: not copied to the updater's folder: " + reason);
    return false;
  }
  return true;
}

bool CMainDlg::OpenPackage() { return m_unzipper.OpenArchive(m_package); }

bool CMainDlg::PackageSha256(std::string& hex) { return BytesSha256(*m_package.Bytes(), hex); }

SSignatureVerdict CMainDlg::VerifyPackage(const std::string& signatureBase64) {
  // The held copy: no other process can change it, and the zip is opened
  // over the same handle afterwards.
  return VerifyPackageSignature(*m_package.Bytes(), signatureBase64, UpdatePublicKeyDer());
}

bool CMainDlg::StageUnpack() {
  // What an interrupted run left could not be put back at start when the
  // half-updated main program holds some of those files: close it first.
  // Should it not close in time, Stage's own recovery fails and the
  // unpack ends before it writes anything.
  if (!RecoverInterruptedUnpack(m_folder, m_files)) {
    CloseMainProgram(m_record.appMainWndClassName, m_record.appUserMsg);
  }
  m_unpack = std::make_unique<CUnpackTransaction>(m_folder, m_files);
  if (m_unpack->Stage(m_unzipper)) return true;
  if (!m_unpack->Refusal().empty()) Log(L"Update package refused: " + m_unpack->Refusal());
  return false;
}

bool CMainDlg::CommitUnpack() { return m_unpack && m_unpack->Commit(); }

void CMainDlg::AbandonUnpack() {
  if (m_unpack) m_unpack->Abandon();
}

void CMainDlg::ClosePackage() {
  m_unpack.reset();
  m_unzipper.CloseArchive();
  m_package.Release();
}

void CMainDlg::Log(const std::wstring& text) { CF3DLogHTML::Instance().Log(kLogWarn, text); }

bool CMainDlg::CloseMainProgram(const std::wstring& windowClass, const std::wstring& messageName) {
  // Waited for on the dialog's thread with its messages pumped: the dialog
  // keeps painting and answering (the flow ignores its buttons and timer
  // while it installs).
  SCloseWait wait;
  wait.boundMs = kMainProgramCloseBoundMs;
  wait.pumpMessages = [this] { PumpMessages(); };
  const ECloseOutcome outcome = CWindowFinder<wchar_t>(windowClass, messageName).CloseAndWait(wait);
  return outcome != ECloseOutcome::kStillRunning;
}

void CMainDlg::StartProgram(const std::wstring& fileName) { StartForUser(m_folder + fileName); }

}  // namespace corvane
