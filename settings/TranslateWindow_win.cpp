#include "settings/TranslateWindow.h"

#include <commctrl.h>

#include <vector>

#include "settings/TranslatableControl.h"

namespace corvane {
namespace {

constexpr int kMaxClassName = 512;
constexpr int kMaxItemText = 1024;

std::wstring ClassNameOf(HWND window) {
  wchar_t name[kMaxClassName + 1] = {};
  GetClassNameW(window, name, kMaxClassName);
  return name;
}

// System classes report their names in mixed case ("Edit", "Button"), so
// they are compared without regard to case; the program's own classes are
// registered with exactly the names below.
bool IsClass(const std::wstring& actual, const wchar_t* expected) {
  return CompareStringOrdinal(actual.c_str(), -1, expected, -1, /*ignoreCase=*/TRUE) == CSTR_EQUAL;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return L"";
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), length + 1));
  return text;
}

void TranslateToolbar(const CMultiLanguage& manager, HWND toolbar) {
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[kMaxItemText] = {};
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = buffer;
    info.cchText = kMaxItemText;
    if (SendMessageW(toolbar, TB_GETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info)) < 0 || !buffer[0]) continue;
    std::wstring text = manager.Translate(buffer);
    info.pszText = text.data();
    SendMessageW(toolbar, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
  }
}

void TranslateRebar(const CMultiLanguage& manager, HWND rebar) {
  const int count = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[kMaxItemText] = {};
    REBARBANDINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_TEXT;
    info.lpText = buffer;
    info.cch = kMaxItemText;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, i, reinterpret_cast<LPARAM>(&info)) || !buffer[0]) continue;
    std::wstring text = manager.Translate(buffer);
    info.lpText = text.data();
    SendMessageW(rebar, RB_SETBANDINFOW, i, reinterpret_cast<LPARAM>(&info));
  }
}

void TranslateTabs(const CMultiLanguage& manager, HWND tabs) {
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[kMaxItemText] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = kMaxItemText;
    if (!SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) || !buffer[0]) continue;
    std::wstring text = manager.Translate(buffer);
    item.pszText = text.data();
    SendMessageW(tabs, TCM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void TranslateListHeader(const CMultiLanguage& manager, HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (!header) return;
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[kMaxItemText] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = kMaxItemText;
    if (!SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)) || !buffer[0]) continue;
    std::wstring text = manager.Translate(buffer);
    item.pszText = text.data();
    SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

// Links and image buttons keep their own caption, reached by private messages.
void TranslateOwnCaption(const CMultiLanguage& manager, HWND control) {
  wchar_t buffer[kMaxItemText] = {};
  SendMessageW(control, kMsgGetControlCaption, kMaxItemText, reinterpret_cast<LPARAM>(buffer));
  buffer[kMaxItemText - 1] = L'\0';
  if (buffer[0]) {
    const std::wstring text = manager.Translate(buffer);
    SendMessageW(control, kMsgSetControlCaption, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  InvalidateRect(control, nullptr, TRUE);
}

bool AnswersCaptionQuery(HWND control) { return SendMessageW(control, kMsgIsTranslatableControl, 0, 0) == 1; }

void TranslateByClass(const CMultiLanguage& manager, HWND window, const std::wstring& cls) {
  if (IsClass(cls, L"ToolbarWindow32") || cls == L"_ToolBarXP") {
    TranslateToolbar(manager, window);
  } else if (IsClass(cls, L"ReBarWindow32")) {
    TranslateRebar(manager, window);
  } else if (IsClass(cls, L"SysTabControl32")) {
    TranslateTabs(manager, window);
  } else if (cls == L"_PaneCon") {
    if (GetWindowTextLengthW(window) > 0) InvalidateRect(window, nullptr, TRUE);
  } else if (cls == L"_HyperLink" || cls == L"_BmpButton" ||
             ((IsClass(cls, L"STATIC") || IsClass(cls, L"BUTTON")) && AnswersCaptionQuery(window))) {
    TranslateOwnCaption(manager, window);
  } else if (cls == L"_ListView" || IsClass(cls, L"SysListView32")) {
    TranslateListHeader(manager, window);
  }
}

}  // namespace

std::wstring TranslateMenuText(const CMultiLanguage& manager, const std::wstring& text) {
  const size_t tab = text.find(L'\t');
  if (tab == std::wstring::npos) return manager.Translate(text);
  return manager.Translate(text.substr(0, tab)) + L'\t' + manager.Translate(text.substr(tab + 1));
}

void TranslateMenu(const CMultiLanguage& manager, HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[kMaxItemText] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = kMaxItemText;
    if (!GetMenuItemInfoW(menu, i, /*byPosition=*/TRUE, &info)) continue;
    if (info.fType & MFT_SEPARATOR) continue;
    // A submenu's item is translated even when it has no identifier of its
    // own; the break flag is kept because only the text is replaced.
    if (info.hSubMenu) TranslateMenu(manager, info.hSubMenu);
    if ((info.wID == 0 && !info.hSubMenu) || !buffer[0]) continue;
    std::wstring text = TranslateMenuText(manager, buffer);
    MENUITEMINFOW update = {};
    update.cbSize = sizeof update;
    update.fMask = MIIM_STRING;
    update.dwTypeData = text.data();
    SetMenuItemInfoW(menu, i, TRUE, &update);
  }
}

void TranslateWindow(const CMultiLanguage& manager, HWND window) {
  if (!window || manager.CurrentLanguageName() == manager.PreviousLanguageName()) return;
  const std::wstring cls = ClassNameOf(window);
  // Combo boxes and edit fields show user data, never program texts (the
  // extended combo box too: its text is the chosen item's).
  if (!IsClass(cls, L"COMBOBOX") && !IsClass(cls, L"EDIT") && !IsClass(cls, WC_COMBOBOXEXW)) {
    const std::wstring text = WindowText(window);
    if (!text.empty()) SetWindowTextW(window, manager.Translate(text).c_str());
  }
  TranslateByClass(manager, window, cls);
  // A child window's "menu" is its control identifier, not a menu.
  if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) {
    if (HMENU menu = GetMenu(window)) {
      TranslateMenu(manager, menu);
      DrawMenuBar(window);
    }
  }
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    TranslateWindow(manager, child);
}

void TranslateWindow(HWND window) { TranslateWindow(CMultiLanguage::Instance(), window); }

}  // namespace corvane
