#include "app/FlvDlg.h"

#include <string_view>

#include "app/ModelessDialogs.h"
#include "app/PreviewPage.h"
#include "app/PreviewPlacement.h"
#include "app/ProgramFlags.h"
#include "app/VendorAddresses.h"
#include "base/Handle.h"
#include "settings/MultiLanguage.h"
#include "settings/Preference.h"
#include "settings/StoredPlacement.h"

namespace corvane {
namespace {

constexpr wchar_t kTempPrefix[] = L"TFR";

// A new temporary file holding `bytes`; empty (and nothing left behind) when
// it cannot be made or written completely.
std::wstring WriteTemporaryFile(const std::string& bytes) {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return std::wstring();
  wchar_t name[MAX_PATH] = {};
  if (!GetTempFileNameW(folder, kTempPrefix, /*unique=*/0, name)) return std::wstring();
  bool written = false;
  {
    CHandle file(CreateFileW(name, GENERIC_WRITE, /*share=*/0, /*security=*/nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY, /*templ=*/nullptr));
    DWORD done = 0;
    written = file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size();
  }
  if (written) return name;
  DeleteFileW(name);
  return std::wstring();
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

CFlvDlg::CFlvDlg(const std::wstring& path) : m_files{path}, m_kind(PreviewKindOf(path)) {}

CFlvDlg::~CFlvDlg() { RemovePageFile(); }

CFlvDlg* CFlvDlg::Open(const std::wstring& path, HMODULE resources) {
  if (PreviewKindOf(path) == kPreviewNone) return nullptr;
  auto* dialog = new CFlvDlg(path);
  if (!dialog->Create(resources)) {
    delete dialog;
    return nullptr;
  }
  return dialog;
}

bool CFlvDlg::Create(HMODULE resources) {
  HMODULE module = resources ? resources : GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_FLV), RT_DIALOG);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
  if (!dialogTemplate) return false;
  // No owner: the preview is a window of its own in the task bar and stays
  // when the main window is minimised.
  HWND window = CreateModelessIndirect(/*owner=*/nullptr, dialogTemplate);
  if (!window) {
    if (m_window) DestroyWindow(m_window);
    return false;
  }
  m_ownsItself = true;
  // The stored position is applied before the window is first shown (and
  // painted), and the page is built afterwards, so its player is sized for
  // the window the user actually sees.
  if (!ApplyStoredPlacement()) ShowWindow(window, SW_SHOWNORMAL);
  BuildAndShowPage();
  return true;
}

void CFlvDlg::OnFinalMessage() {
  if (m_ownsItself) delete this;
}

// The dialog base makes the browser control before WM_INITDIALOG arrives
// here (without one the window still opens, with an empty panel) and
// releases it before WM_DESTROY does, so the browser lets go of the page
// before the page file is removed.
bool CFlvDlg::ProcessWindowMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(m_window);
      result = TRUE;
      return true;
    case WM_SIZE:
      FitBrowserToWindow();
      return true;
    case WM_CLOSE:
      DestroyWindow(m_window);
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return false;
      DestroyWindow(m_window);  // Esc, as in any dialog
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      return false;
  }
}

void CFlvDlg::OnInitDialog(HWND window) {
  RegisterModelessDialog(window);
  // The template's title is empty; the file's name tells previews apart.
  SetWindowTextW(window, FileNameOf(m_files.front()).c_str());
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINFRAME));
  if (icon) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  FitBrowserToWindow();
}

void CFlvDlg::OnDestroy() {
  StorePlacement();
  RemovePageFile();
  UnregisterModelessDialog(m_window);
}

void CFlvDlg::FitBrowserToWindow() {
  if (!m_window) return;
  RECT client = {};
  GetClientRect(m_window, &client);
  if (CBrowserHost* browser = Browser()) {
    browser->SetBounds(client);
  } else if (HWND panel = GetDlgItem(m_window, IDC_FLV_BROWSER)) {
    MoveWindow(panel, 0, 0, client.right, client.bottom, TRUE);
  }
}

bool CFlvDlg::ApplyStoredPlacement() {
  return corvane::ApplyStoredPlacement(m_window, kPreviewPlacementSection, kPreviewPlacementKey);
}

void CFlvDlg::StorePlacement() { StoreWindowPlacement(m_window, kPreviewPlacementSection, kPreviewPlacementKey); }

void CFlvDlg::BuildAndShowPage() {
  RemovePageFile();
  RECT outer = {};
  GetWindowRect(m_window, &outer);
  SPreviewPageInput input;
  input.files = m_files;
  input.kind = m_kind;
  input.geometry = PreviewGeometryFor(m_kind, outer.right - outer.left, outer.bottom - outer.top, ProgramFlags());
  input.barAddress = PreviewBarAddress(kVendorWebAddress, CMultiLanguage::Instance().CurrentLanguageName());
  m_pageFile = WriteTemporaryFile(BuildPreviewPage(input));
  if (m_pageFile.empty()) return;
  SetOwnPage(m_pageFile);  // the panel loads nothing else of the disk's
  if (CBrowserHost* browser = Browser()) browser->Navigate(m_pageFile);
}

void CFlvDlg::RemovePageFile() {
  if (!m_pageFile.empty()) DeleteFileW(m_pageFile.c_str());
  m_pageFile.clear();
}

}  // namespace corvane
