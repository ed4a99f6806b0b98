#include "settings/MultiLangCombobox.h"

#include <commctrl.h>

#include "settings/TranslateWindow.h"

namespace corvane {

void CMultiLangCombobox::Fill() {
  if (!m_combo) return;
  SendMessageW(m_combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_manager.Icons().Handle()));
  SendMessageW(m_combo, CB_RESETCONTENT, 0, 0);
  const auto& languages = m_manager.Languages();
  for (size_t i = 0; i < languages.size(); ++i) {
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    item.iItem = static_cast<INT_PTR>(i);
    // The text is stored, not asked for on display: some common-control
    // implementations ask with no buffer and read the answer back as ANSI,
    // which leaves a wide text blank. ResetItemTexts renews it on a switch.
    const std::wstring text = DisplayText(static_cast<int>(i));
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    item.lParam = static_cast<LPARAM>(i);
    SendMessageW(m_combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void CMultiLangCombobox::SetSelection(int index) { SendMessageW(m_combo, CB_SETCURSEL, index, 0); }

void CMultiLangCombobox::SelectAtStart(int index) {
  SetSelection(index);
  m_manager.SelectLanguageByIndex(index);
  ResetItemTexts();
}

int CMultiLangCombobox::Selection() const { return static_cast<int>(SendMessageW(m_combo, CB_GETCURSEL, 0, 0)); }

std::wstring CMultiLangCombobox::DisplayText(int index) const {
  const auto& languages = m_manager.Languages();
  if (index < 0 || index >= static_cast<int>(languages.size())) return L"";
  const std::wstring& name = languages[index].name;
  return m_manager.Translate(name) + L"\t[" + name + L"]";
}

bool CMultiLangCombobox::HandleNotify(const NMHDR* header) {
  if (!header || !m_combo || header->hwndFrom != m_combo || header->code != CBEN_GETDISPINFOW) return false;
  auto* info = reinterpret_cast<NMCOMBOBOXEXW*>(const_cast<NMHDR*>(header));
  const int index = static_cast<int>(info->ceItem.lParam);
  const auto& languages = m_manager.Languages();
  if (index < 0 || index >= static_cast<int>(languages.size())) return true;
  if ((info->ceItem.mask & CBEIF_TEXT) && info->ceItem.pszText && info->ceItem.cchTextMax > 0) {
    const std::wstring text = DisplayText(index);
    lstrcpynW(info->ceItem.pszText, text.c_str(), info->ceItem.cchTextMax);
  }
  if (info->ceItem.mask & CBEIF_IMAGE) info->ceItem.iImage = languages[index].iconIndex;
  if (info->ceItem.mask & CBEIF_SELECTEDIMAGE) info->ceItem.iSelectedImage = languages[index].iconIndex;
  return true;
}

bool CMultiLangCombobox::HandleCommand(UINT code, HWND control) {
  if (!m_combo || control != m_combo || code != CBN_SELCHANGE) return false;
  const int index = Selection();
  if (index < 0 || m_manager.IsCurrentLanguage(index)) return true;
  m_manager.SelectLanguageByIndex(index);
  TranslateWindow(m_manager, GetParent(m_combo));
  ResetItemTexts();
  return true;
}

void CMultiLangCombobox::ResetItemTexts() {
  const int count = static_cast<int>(SendMessageW(m_combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT;
    item.iItem = i;
    const std::wstring text = DisplayText(i);
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_combo, CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  InvalidateRect(m_combo, nullptr, TRUE);
}

}  // namespace corvane
