#pragma once
// An in-memory dialog template (DLGTEMPLATE with its items), for dialogs
// laid out at run time. Windows only.
#include <windows.h>

#include <string>
#include <vector>

namespace corvane {

class CDialogTemplate {
 public:
  // Dialog units; the font is the system's dialog font at `pointSize`.
  CDialogTemplate(DWORD style, const std::wstring& title, int cx, int cy, WORD pointSize = 8,
                  const std::wstring& font = L"MS Shell Dlg");

  // `className` is a window class name ("Button", "Static", "msctls_progress32" ...).
  void AddItem(const std::wstring& className, const std::wstring& text, WORD id, DWORD style, int x, int y, int cx,
               int cy, DWORD exStyle = 0);

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

 private:
  void AppendText(const std::wstring& text);
  void AlignToDword();

  std::vector<WORD> m_words;
  size_t m_countAt = 0;  // where the item count lives
};

}  // namespace corvane
