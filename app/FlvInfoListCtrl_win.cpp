#include "app/FlvInfoListCtrl.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "app/ColumnLayoutRules.h"
#include "app/DNedListDropTarget.h"
#include "app/DialogFilters.h"
#include "app/FileListRows.h"
#include "app/JoinConvData.h"
#include "app/SaveFilters.h"
#include "base/UniqueHandle.h"
#include "engine/PathParts.h"
#include "settings/ConverterPreference.h"
#include "settings/MultiLanguage.h"
#include "skin/GdiObject.h"

namespace corvane {
namespace {

struct SBuiltInColumn {
  const wchar_t* title;
  int width;
  int format;
};
const SBuiltInColumn kColumns[kFileListColumnCount] = {
    {L"Order", 50, LVCFMT_CENTER}, {L"Filename", 250, LVCFMT_LEFT}, {L"File Path", 100, LVCFMT_LEFT}};

constexpr DWORD kExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr size_t kClassicResultChars = 65536;

std::vector<std::wstring>& Files() { return CJoinConvData::Instance().Job().files; }

// The system's small-icon image list (shared: never destroyed here).
HIMAGELIST SystemSmallIcons() {
  SHFILEINFOW info = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// With SHGFI_USEFILEATTRIBUTES the shell does not touch the file.
int SmallIconIndexOfType(const std::wstring& extension) {
  SHFILEINFOW info = {};
  const std::wstring name = L"file" + extension;
  if (!SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES)) {
    return 0;
  }
  return info.iIcon;
}

std::wstring LowerCaseExtension(const std::wstring& path) {
  std::wstring extension = ExtensionOf(path);
  CharLowerBuffW(extension.data(), static_cast<DWORD>(extension.size()));
  return extension;
}

using Microsoft::WRL::ComPtr;

// The item-based open dialog; S_OK with the chosen paths, a cancel code, or
// another failure when the system does not have it.
HRESULT AskWithItemDialog(HWND owner, std::vector<std::wstring>& paths) {
  ComPtr<IFileOpenDialog> dialog;
  HRESULT hr = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog));
  if (FAILED(hr)) return hr;
  const CDialogFilters filters(InputFilters());
  const std::vector<COMDLG_FILTERSPEC> specs = filters.Specs();
  dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
  dialog->SetFileTypeIndex(1);
  dialog->SetDefaultExtension(kDefaultOutputExtension);
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM);
  hr = dialog->Show(owner);
  if (FAILED(hr)) return hr;
  ComPtr<IShellItemArray> items;
  hr = dialog->GetResults(&items);
  if (FAILED(hr)) return hr;
  DWORD count = 0;
  items->GetCount(&count);
  for (DWORD i = 0; i < count; ++i) {
    ComPtr<IShellItem> item;
    if (FAILED(items->GetItemAt(i, &item))) continue;
    TCoTaskMem<wchar_t> path;
    if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, path.Put())) && path) paths.emplace_back(path.Get());
  }
  return S_OK;
}

std::vector<std::wstring> AskWithClassicDialog(HWND owner) {
  const std::wstring filterText = CDialogFilters(InputFilters()).ClassicText();
  std::wstring buffer(kClassicResultChars, L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filterText.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrDefExt = kDefaultOutputExtension;
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!GetOpenFileNameW(&ofn)) return {};
  return SplitMultiSelection(buffer);
}

}  // namespace

void CFlvInfoListCtrl::OnInit(HWND list, std::function<bool()> canAdd, std::function<void()> changed) {
  m_list = list;
  if (!m_list) return;
  m_canAdd = std::move(canAdd);
  m_changed = std::move(changed);
  if (m_dropTarget) m_dropTarget->Revoke();  // a second OnInit replaces the first target
  // Takes the reference the target is made with (mingw-w64's ComPtr::Attach
  // would add one more).
  *m_dropTarget.ReleaseAndGetAddressOf() = new CDNedListDropTarget(
      m_list, [this](const std::vector<std::wstring>& paths) { return AddDroppedFiles(paths); },
      [this] { return !m_canAdd || m_canAdd(); });
  m_dropTarget->Register();  // without it the list simply takes no drops
  ListView_SetExtendedListViewStyleEx(m_list, 0, kExtendedStyles);
  // Themed look and double buffering on top of the list's own styles.
  Attach(m_list);
  ListView_SetImageList(m_list, SystemSmallIcons(), LVSIL_SMALL);
  BuildColumns();
  if (CConverterPreference::Instance().ColumnLayout().empty()) CaptureLayout();  // the built-in layout
  Refresh();
}

void CFlvInfoListCtrl::BuildColumns() {
  SendMessageW(m_list, WM_SETREDRAW, FALSE, 0);
  HWND header = ListView_GetHeader(m_list);
  while (ListView_DeleteColumn(m_list, 0)) {
  }
  for (int i = 0; i < kFileListColumnCount; ++i) {
    const std::wstring title = Translate(kColumns[i].title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = kColumns[i].format;
    column.cx = kColumns[i].width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    column.iSubItem = i;
    SendMessageW(m_list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    HDITEMW item = {};
    item.mask = HDI_LPARAM;
    item.lParam = i;  // the column's identity in the saved layout
    Header_SetItem(header, i, &item);
  }
  const SColumnLayoutPlan plan = PlanColumnLayout(CConverterPreference::Instance().ColumnLayout(), kFileListColumnCount);
  for (const SHeaderColumn& place : plan.placements) {
    HDITEMW item = {};
    item.mask = HDI_ORDER | HDI_WIDTH;
    item.iOrder = place.order;
    item.cxy = place.width;
    Header_SetItem(header, place.identity, &item);
  }
  for (int index : plan.deletions) ListView_DeleteColumn(m_list, index);
  SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(m_list, nullptr, TRUE);
}

void CFlvInfoListCtrl::OnDestroy() {
  if (m_dropTarget) m_dropTarget->Revoke();
  m_dropTarget.Reset();
  CaptureLayout();
}

bool CFlvInfoListCtrl::AddDroppedFiles(const std::vector<std::wstring>& paths) {
  if (m_canAdd && !m_canAdd()) return false;
  if (!AddFiles(paths)) return false;
  if (m_changed) m_changed();
  return true;
}

void CFlvInfoListCtrl::CaptureLayout() {
  if (!m_list) return;
  HWND header = ListView_GetHeader(m_list);
  std::vector<SHeaderColumn> columns;
  const int count = Header_GetItemCount(header);
  for (int i = 0; i < count; ++i) {
    HDITEMW item = {};
    item.mask = HDI_LPARAM | HDI_ORDER | HDI_WIDTH;
    if (Header_GetItem(header, i, &item)) columns.push_back({static_cast<int>(item.lParam), item.iOrder, item.cxy});
  }
  CaptureColumnLayout(CConverterPreference::Instance().ColumnLayout(), columns, kFileListColumnCount);
}

// Paints one row into an off-screen buffer: background by state, the small
// icon, then every shown column's text with the column's alignment. The
// texts are drawn with prefix handling, which turns the doubled "&&" of the
// row texts back into one "&".
void CFlvInfoListCtrl::PaintRow(HDC target, int row) {
  const auto& files = CJoinConvData::Instance().Files();
  if (row < 0 || static_cast<size_t>(row) >= files.size()) return;
  RECT bounds = {};
  if (!ListView_GetItemRect(m_list, row, &bounds, LVIR_BOUNDS)) return;
  const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return;

  CMemoryDC buffer(target, width, height);
  if (!buffer.IsValid()) return;
  const HDC memory = buffer.Get();
  const CSelectObject font(memory, reinterpret_cast<HFONT>(SendMessageW(m_list, WM_GETFONT, 0, 0)));
  SetViewportOrgEx(memory, -bounds.left, -bounds.top, nullptr);

  const bool selected = (ListView_GetItemState(m_list, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  const bool focused = GetFocus() == m_list;
  const bool enabled = IsWindowEnabled(m_list) != FALSE;
  const int backColour = !enabled ? COLOR_BTNFACE : selected ? (focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
  FillRect(memory, &bounds, GetSysColorBrush(backColour));
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, GetSysColor(selected && focused && enabled ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));

  RECT icon = {};
  if (ListView_GetItemRect(m_list, row, &icon, LVIR_ICON)) {
    ImageList_Draw(ListView_GetImageList(m_list, LVSIL_SMALL), IconIndex(files[row]), memory, icon.left,
                   icon.top + (icon.bottom - icon.top - GetSystemMetrics(SM_CYSMICON)) / 2, ILD_TRANSPARENT);
  }
  const int columns = Header_GetItemCount(ListView_GetHeader(m_list));
  for (int column = 0; column < columns; ++column) {
    LVCOLUMNW info = {};
    info.mask = LVCF_SUBITEM | LVCF_FMT;
    if (!ListView_GetColumn(m_list, column, &info)) continue;
    RECT label = {};
    if (!ListView_GetSubItemRect(m_list, row, column, LVIR_LABEL, &label)) continue;
    InflateRect(&label, -4, 0);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    const int align = info.fmt & LVCFMT_JUSTIFYMASK;
    format |= align == LVCFMT_CENTER ? DT_CENTER : align == LVCFMT_RIGHT ? DT_RIGHT : DT_LEFT;
    const std::wstring text = FileListRowText(files[row], static_cast<size_t>(row), info.iSubItem);
    DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &label, format);
  }

  SetViewportOrgEx(memory, 0, 0, nullptr);
  BitBlt(target, bounds.left, bounds.top, width, height, memory, 0, 0, SRCCOPY);
}

int CFlvInfoListCtrl::IconIndex(const std::wstring& path) {
  const std::wstring extension = LowerCaseExtension(path);
  const auto known = m_iconIndex.find(extension);
  if (known != m_iconIndex.end()) return known->second;
  const int index = SmallIconIndexOfType(extension);
  m_iconIndex.emplace(extension, index);
  return index;
}

bool CFlvInfoListCtrl::HandleNotify(const NMHDR* header, LRESULT& result) {
  if (!m_list || header->hwndFrom != m_list) return false;
  if (header->code == NM_CUSTOMDRAW) {
    const auto* draw = reinterpret_cast<const NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
      result = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      PaintRow(draw->nmcd.hdc, static_cast<int>(draw->nmcd.dwItemSpec));
      result = CDRF_SKIPDEFAULT;
    } else {
      result = CDRF_DODEFAULT;
    }
    return true;
  }
  if (header->code == NM_RCLICK) {  // the list has no context menu
    result = 0;
    return true;
  }
  if (header->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
    const auto& files = CJoinConvData::Instance().Files();
    const size_t row = static_cast<size_t>(info->item.iItem);
    if (row >= files.size()) return true;
    if (info->item.mask & LVIF_TEXT) {
      m_textBuffer = FileListRowText(files[row], row, info->item.iSubItem);
      lstrcpynW(info->item.pszText, m_textBuffer.c_str(), info->item.cchTextMax);
    }
    if (info->item.mask & LVIF_IMAGE) info->item.iImage = IconIndex(files[row]);
    result = 0;
    return true;
  }
  return false;
}

std::vector<std::wstring> CFlvInfoListCtrl::AskFilesToAdd(HWND owner) {
  std::vector<std::wstring> paths;
  const HRESULT hr = AskWithItemDialog(owner, paths);
  if (SUCCEEDED(hr) || hr == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return paths;
  return AskWithClassicDialog(owner);
}

bool CFlvInfoListCtrl::AddFilesFromDialog(HWND owner) { return AddFiles(AskFilesToAdd(owner)); }

bool CFlvInfoListCtrl::AddFiles(const std::vector<std::wstring>& paths) {
  if (paths.empty()) return false;
  for (const std::wstring& path : paths) CJoinConvData::Instance().AddFile(path);
  Refresh();
  return true;
}

std::optional<size_t> CFlvInfoListCtrl::Selected() const {
  if (!m_list) return std::nullopt;
  const int index = ListView_GetNextItem(m_list, -1, LVNI_SELECTED);
  if (index < 0) return std::nullopt;
  return static_cast<size_t>(index);
}

void CFlvInfoListCtrl::Select(size_t index) {
  ListView_SetItemState(m_list, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(m_list, static_cast<int>(index), FALSE);
}

bool CFlvInfoListCtrl::RemoveSelected() {
  const std::optional<size_t> selected = Selected();
  if (!selected || !RemoveEntry(Files(), *selected)) return false;
  Refresh();
  return true;
}

bool CFlvInfoListCtrl::MoveSelectedUp() {
  const std::optional<size_t> selected = Selected();
  if (!selected) return false;
  const std::optional<size_t> moved = MoveEntryUp(Files(), *selected);
  if (!moved) return false;
  Refresh();
  Select(*moved);
  return true;
}

bool CFlvInfoListCtrl::MoveSelectedDown() {
  const std::optional<size_t> selected = Selected();
  if (!selected) return false;
  const std::optional<size_t> moved = MoveEntryDown(Files(), *selected);
  if (!moved) return false;
  Refresh();
  Select(*moved);
  return true;
}

std::optional<size_t> CFlvInfoListCtrl::SelectedOrFirst() const {
  return corvane::SelectedOrFirst(Selected(), CJoinConvData::Instance().Files().size());
}

void CFlvInfoListCtrl::Refresh() {
  if (!m_list) return;
  // The first look-up of a type loads its icon (a few hundred milliseconds
  // under some systems): done now, not in the middle of a paint.
  for (const std::wstring& file : CJoinConvData::Instance().Files()) IconIndex(file);
  ListView_SetItemCountEx(m_list, static_cast<int>(CJoinConvData::Instance().Files().size()), 0);
  InvalidateRect(m_list, nullptr, TRUE);
}

}  // namespace corvane
